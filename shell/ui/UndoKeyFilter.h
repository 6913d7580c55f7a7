#pragma once

#include <QObject>

namespace dorvel {

// Text boxes keep an undo of their own and take Ctrl+Z and Ctrl+Y before the
// window sees them. In the editor every change to a set is one history, so
// within `window` these keys go to the Edit menu's Undo and Redo instead.
class UndoKeyFilter : public QObject {
public:
    explicit UndoKeyFilter(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
};

}  // namespace dorvel
