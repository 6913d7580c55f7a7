#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

namespace dorvel {

// The small window of long commands: a label and a bar from 0 to 100,
// on top of the main window. Long commands do not return to the event loop
// while they work, so every change is painted at once.
class ProgressWindow : public QWidget {
    Q_OBJECT

public:
    explicit ProgressWindow(QWidget* owner = nullptr);

    void setLabel(const QString& text);
    void setCaption(const QString& text);
    void setPosition(int position0to100);
    void advance(int by);
    int position() const;
    QString label() const;
    // Shows the window centred over its owner.
    void showOverOwner();

private:
    void paintNow();

    QLabel* m_label;
    QProgressBar* m_bar;
};

}  // namespace dorvel
