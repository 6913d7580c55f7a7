#include "editor/ui/RadioGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace dorvel {

RadioGroup::RadioGroup(const QString& name, const QString& item0, const QString& item1, bool twoColumns,
                       QWidget* parent)
    : QGroupBox(parent), m_group(new QButtonGroup(this))
{
    setObjectName(name);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->setSpacing(2);
    const QString texts[2] = {item0, item1};
    for (int i = 0; i < 2; ++i) {
        m_items[i] = new QRadioButton(texts[i], this);
        m_items[i]->setObjectName(name + QStringLiteral("Item") + QString::number(i + 1));
        m_group->addButton(m_items[i], i);
        if (twoColumns)
            layout->addWidget(m_items[i], 0, i);
        else
            layout->addWidget(m_items[i], i, 0);
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
    if (index == 0 || index == 1) {
        m_items[index]->setChecked(true);
        return;
    }
    // An exclusive group cannot be emptied by unchecking its chosen button.
    m_group->setExclusive(false);
    for (QRadioButton* item : m_items)
        item->setChecked(false);
    m_group->setExclusive(true);
}

void RadioGroup::setItemText(int index, const QString& text)
{
    if (index == 0 || index == 1)
        m_items[index]->setText(text);
}

QString RadioGroup::itemText(int index) const
{
    return index == 0 || index == 1 ? m_items[index]->text() : QString();
}

QRadioButton* RadioGroup::item(int index) const
{
    return index == 0 || index == 1 ? m_items[index] : nullptr;
}

}  // namespace dorvel
