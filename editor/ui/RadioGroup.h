#pragma once

#include <QGroupBox>

class QButtonGroup;
class QRadioButton;

namespace dorvel {

// A framed group of two radio buttons whose chosen item index is the value
// (like the radio groups of the question page: tf1, tType1, ...). The group
// carries the control's name; the item texts can be relabelled.
class RadioGroup : public QGroupBox {
    Q_OBJECT

public:
    RadioGroup(const QString& name, const QString& item0, const QString& item1, bool twoColumns,
               QWidget* parent = nullptr);

    // -1 when no item is chosen.
    int itemIndex() const;
    // Indexes outside 0..1 leave no item chosen.
    void setItemIndex(int index);
    void setItemText(int index, const QString& text);
    QString itemText(int index) const;
    QRadioButton* item(int index) const;

signals:
    // The author (or a test) chose an item.
    void itemChosen(int index);

private:
    QButtonGroup* m_group;
    QRadioButton* m_items[2];
};

}  // namespace dorvel
