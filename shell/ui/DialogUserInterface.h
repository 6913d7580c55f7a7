#pragma once

#include "platform/UserInterface.h"

#include <QObject>
#include <QString>

#include <functional>

class QWidget;

namespace dorvel {

class ProgressWindow;

// "Dorvel Files|*.vtd" (pairs of description and pattern) as a Qt file
// dialog filter: "Dorvel Files (*.vtd)".
QString QtFileFilter(const std::string& filter);

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

private:
    // The named dialog object whose Title and Filter relabel a dialog that
    // the logic asks for under its default title (nullptr when none).
    QObject* namedDialog(const std::string& defaultTitle) const;

    QWidget* m_owner;
    ProgressWindow* m_progress;
};

}  // namespace dorvel

namespace dorvel {

// Gives the window one named object per file dialog (OpenDialog1,
// SaveDialog1, SaveBankDialog, SaveWebDialog) with the properties Title and
// Filter, so a language pack can relabel the dialogs by name.
void AddNamedDialogs(QObject* window);

}  // namespace dorvel
