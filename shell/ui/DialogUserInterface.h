#pragma once

#include "platform/UserInterface.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QWidget;

namespace dorvel {

class ProgressWindow;

// Whether there is a desktop to open files and addresses in (not so
// offscreen, as in tests and on servers).
bool HasDesktop();

// "Dorvel Files|*.vtd" (pairs of description and pattern) as a Qt file
// dialog filter: "Dorvel Files (*.vtd)".
QString QtFileFilter(const std::string& filter);
// The index of `chosen` among the filters of a Qt filter (0 when it is none of them).
int FileFilterIndex(const QString& qtFilter, const QString& chosen);

// The author-facing side of the logic: message boxes, questions, file
// dialogs, the progress window and the system's "open" action.
class DialogUserInterface : public UserInterface {
public:
    explicit DialogUserInterface(QWidget* owner);
    ~DialogUserInterface() override;

    void showMessage(const std::string& text, Tone tone) override;
    void showMessageWithList(const std::string& text, const std::string& list, Tone tone) override;
    Answer ask(const std::string& text, Buttons buttons, Tone tone) override;
    std::vector<std::string> chooseOpenFiles(const FileDialog& dialog) override;
    std::optional<std::string> chooseSaveFile(const FileDialog& dialog) override;
    std::optional<int> chooseOne(const std::string& question, const std::vector<std::string>& options) override;
    void announce(const std::string& key) override;
    void progressShow() override;
    void progressHide() override;
    void progressCaption(const std::string& text) override;
    void progressLabel(const std::string& text) override;
    void progressPosition(int position0to100) override;
    void progressAdvance(int by) override;
    bool openWithSystem(const std::string& pathOrUrl) override;

    ProgressWindow& progressWindow() { return *m_progress; }
    // Spoken messages: called with every announced key.
    std::function<void(const std::string&)> onAnnounce;
    // A file or address given to openWithSystem could not be opened after
    // all (no web browser would start): called with it, in the event loop.
    std::function<void(const std::string&)> onOpenFailed;

private:
    // The named dialog object whose Title and Filter relabel a dialog of
    // that name (nullptr for a dialog without one).
    QObject* namedDialog(NamedDialog named) const;

    QWidget* m_owner;
    ProgressWindow* m_progress;
    // Gone with this interface: an opener that fails later finds no one to tell.
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);
};

}  // namespace dorvel

namespace dorvel {

// Gives the window one named object per file dialog (OpenDialog1,
// SaveDialog1, SaveBankDialog, SaveWebDialog) with the properties Title and
// Filter, so a language pack can relabel the dialogs by name.
void AddNamedDialogs(QObject* window);

}  // namespace dorvel
