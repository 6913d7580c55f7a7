#pragma once

#include "platform/UserInterface.h"

#include <deque>
#include <string>
#include <vector>

namespace dorvel::test {

// A user interface whose answers are queued by the test. It records every
// message, question, announcement and dialog so tests can check them. An
// unexpected question or dialog fails the test.
class ScriptedUserInterface : public UserInterface {
public:
    std::deque<Answer> answers;
    std::deque<std::vector<std::string>> openChoices;
    // The filter chosen in each open dialog that asks for it (0 when none is queued).
    std::deque<int> filterChoices;
    std::deque<std::optional<std::string>> saveChoices;
    // Answers to chooseOne; when none is queued, the first option is taken.
    std::deque<std::optional<int>> oneChoices;

    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::vector<std::string> announced;
    std::vector<FileDialog> dialogs;
    std::vector<std::string> opened;
    // What openWithSystem answers (false: nothing could open it).
    bool openSucceeds = true;
    std::vector<std::string> progressLabels;

    void showMessage(const std::string& text, Tone tone) override;
    Answer ask(const std::string& text, Buttons buttons, Tone tone) override;
    std::vector<std::string> chooseOpenFiles(const FileDialog& dialog) override;
    std::optional<std::string> chooseSaveFile(const FileDialog& dialog) override;
    std::optional<int> chooseOne(const std::string& question, const std::vector<std::string>& options) override;
    std::vector<std::vector<std::string>> offered;  // the options of every chooseOne
    void announce(const std::string& key) override;
    void progressLabel(const std::string& text) override;
    bool openWithSystem(const std::string& pathOrUrl) override;
};

}  // namespace dorvel::test
