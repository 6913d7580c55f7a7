#pragma once

#include <QString>

class QAction;
class QMainWindow;
class QMenu;

namespace dorvel {

// The main menu. Every item carries its name, which is what GeneralCall
// dispatches on and what a language pack relabels.
struct MainMenu {
    QMenu* file = nullptr;
    QMenu* reopen = nullptr;
    QMenu* edit = nullptr;
    QMenu* options = nullptr;
    QMenu* languages = nullptr;
    QMenu* dictionaries = nullptr;
    QMenu* help = nullptr;
    QAction* audioMessages = nullptr;
    QAction* playLastAudioMessage = nullptr;

    // Builds the menu bar of `window`.
    static MainMenu build(QMainWindow& window);
    // The item of that name, or nullptr.
    static QAction* item(const QMainWindow& window, const QString& name);
};

}  // namespace dorvel
