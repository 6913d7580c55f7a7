#include "editor/ui/RadioGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace dorvel {

RadioGroup::RadioGroup(const QString& name, const QStringList& items, bool oneRow, QWidget* parent)
    : QGroupBox(parent)
    , m_group(new QButtonGroup(this))
{
    setObjectName(name);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->setSpacing(items.size() > 2 ? 0 : 2);
    for (int i = 0; i < items.size(); ++i) {
        auto* item = new QRadioButton(items[i], this);
        item->setObjectName(name + QStringLiteral("Item") + QString::number(i + 1));
        m_group->addButton(item, i);
        if (oneRow)
            layout->addWidget(item, 0, i);
        else
            layout->addWidget(item, i, 0);
        m_items.push_back(item);
    }
    connect(m_group, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            emit itemChosen(id);
    });
}

int RadioGroup::itemIndex() const
{
    return m_group->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (QRadioButton* chosen = item(index)) {
        chosen->setChecked(true);
        return;
    }
    // An exclusive group cannot be emptied by unchecking its chosen button.
    m_group->setExclusive(false);
    for (QRadioButton* each : m_items)
        each->setChecked(false);
    m_group->setExclusive(true);
}

void RadioGroup::setItemText(int index, const QString& text)
{
    if (QRadioButton* each = item(index))
        each->setText(text);
}

QString RadioGroup::itemText(int index) const
{
    const QRadioButton* each = item(index);
    return each ? each->text() : QString();
}

QRadioButton* RadioGroup::item(int index) const
{
    return index >= 0 && index < itemCount() ? m_items[static_cast<std::size_t>(index)] : nullptr;
}

}  // namespace dorvel
