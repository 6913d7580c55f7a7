#include "shell/ui/ComponentRelabeller.h"

#include "editor/ui/RadioGroup.h"
#include "editor/ui/WidgetText.h"
#include "languages/ComponentLine.h"
#include "languages/HintTexts.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QVariant>

namespace dorvel {

namespace {

// The About box is a window of its own; it may be a child of the main
// window or stand alone.
QWidget* findWindowNamed(QWidget& window, const QString& name)
{
    if (auto* child = window.findChild<QWidget*>(name, Qt::FindChildrenRecursively); child && child->isWindow())
        return child;
    return nullptr;
}

bool setHint(QObject* component, const QString& hint)
{
    if (auto* action = qobject_cast<QAction*>(component)) {
        action->setToolTip(hint);
        action->setStatusTip(hint);
        return true;
    }
    if (auto* menu = qobject_cast<QMenu*>(component)) {
        menu->menuAction()->setToolTip(hint);
        menu->menuAction()->setStatusTip(hint);
        return true;
    }
    if (auto* widget = qobject_cast<QWidget*>(component)) {
        widget->setToolTip(hint);
        return true;
    }
    return false;
}

// Refilling a list must not count as the author choosing an item: the
// choice shown stays where it was (when the list still has it) and no change
// is reported to the editor.
void refillList(QComboBox* list, const std::vector<std::string>& items)
{
    const QSignalBlocker quiet(list);
    const int chosen = list->currentIndex();
    list->clear();
    for (const std::string& item : items)
        list->addItem(fromBytes(item));
    list->setCurrentIndex(chosen < list->count() ? chosen : -1);
}

bool setOther(QObject* component, const std::string& property, const QString& value, const std::string& rawValue)
{
    // Save and open dialogs are named objects carrying the texts the window
    // shows when it opens them.
    if (!qobject_cast<QWidget*>(component) && !qobject_cast<QAction*>(component) && component->property("DefaultTitle").isValid()) {
        if (property != "Title" && property != "Filter")
            return false;
        component->setProperty(property.c_str(), value);
        return true;
    }
    if (auto* action = qobject_cast<QAction*>(component)) {
        action->setText(value);
        return true;
    }
    if (auto* menu = qobject_cast<QMenu*>(component)) {
        menu->setTitle(value);
        return true;
    }
    if (auto* group = qobject_cast<RadioGroup*>(component)) {
        if (property == "Caption")
            group->setTitle(value);
        else if (property.size() == 5 && property.rfind("Item", 0) == 0 && property[4] >= '1'
                 && property[4] - '1' < group->itemCount())
            group->setItemText(property[4] - '1', value);
        else
            return false;
        return true;
    }
    if (qobject_cast<QRadioButton*>(component) || qobject_cast<QCheckBox*>(component)) {
        if (property != "Caption")
            return false;
        static_cast<QAbstractButton*>(component)->setText(value);
        return true;
    }
    if (auto* button = qobject_cast<QAbstractButton*>(component)) {
        button->setText(value);
        return true;
    }
    if (auto* label = qobject_cast<QLabel*>(component)) {
        label->setText(value);
        return true;
    }
    if (auto* box = qobject_cast<QGroupBox*>(component)) {
        box->setTitle(value);
        return true;
    }
    if (auto* list = qobject_cast<QComboBox*>(component)) {
        if (property != "Items")
            return false;
        refillList(list, SplitItems(rawValue));
        return true;
    }
    // Text boxes and the question list take only hints.
    return false;
}

}  // namespace

bool ApplyComponentLine(QWidget& window, const std::string& line, HintTexts& hints)
{
    const ComponentLine parsed = ParseComponentLine(line);
    const QString name = fromBytes(parsed.component);
    const QString value = fromBytes(parsed.value);

    if (parsed.property == "FormCaption") {
        QWidget* target = nullptr;
        if (parsed.component == "Dorvel")
            target = &window;
        else if (parsed.component == "AboutBox")
            target = findWindowNamed(window, name);
        if (!target)
            return false;
        target->setWindowTitle(value);
        return true;
    }

    const std::optional<int> hint = HintNumber(parsed.property);
    if (hint && *hint >= 0 && *hint < HintTexts::kCount)
        hints.set(*hint, parsed.value);

    if (name.isEmpty())
        return false;
    QObject* component = window.findChild<QObject*>(name);
    if (!component)
        return false;
    if (hint) {
        // Dialogs have no hint.
        if (component->property("DefaultTitle").isValid() && !qobject_cast<QWidget*>(component))
            return false;
        return setHint(component, value);
    }
    return setOther(component, parsed.property, value, parsed.value);
}

}  // namespace dorvel
