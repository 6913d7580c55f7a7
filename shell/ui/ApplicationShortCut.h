#pragma once

#include <QObject>

#include <functional>

namespace dorvel {

// Keys for the whole program, seen before any control or menu: F1 help,
// F2 the last spoken message, F3 the tutorial. The keys are consumed.
class ApplicationShortCut : public QObject {
    Q_OBJECT

public:
    ApplicationShortCut(std::function<void()> help, std::function<void()> lastMessage,
                        std::function<void()> tutorial, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> m_help;
    std::function<void()> m_lastMessage;
    std::function<void()> m_tutorial;
};

}  // namespace dorvel
