#pragma once

#include <QGroupBox>
#include <QStringList>

#include <vector>

class QButtonGroup;
class QRadioButton;

namespace dorvel {

// A framed group of radio buttons whose chosen item index is the value
// (like the radio groups of the question page: tf1, tType1, ...). The group
// carries the control's name; the item texts can be relabelled.
class RadioGroup : public QGroupBox {
    Q_OBJECT

public:
    // One item per text; in a row with `oneRow`, otherwise one under another.
    RadioGroup(const QString& name, const QStringList& items, bool oneRow, QWidget* parent = nullptr);

    // -1 when no item is chosen.
    int itemIndex() const;
    // An index that names no item leaves no item chosen.
    void setItemIndex(int index);
    void setItemText(int index, const QString& text);
    QString itemText(int index) const;
    QRadioButton* item(int index) const;
    int itemCount() const { return static_cast<int>(m_items.size()); }

signals:
    // The author (or a test) chose an item.
    void itemChosen(int index);

private:
    QButtonGroup* m_group;
    std::vector<QRadioButton*> m_items;
};

}  // namespace dorvel
