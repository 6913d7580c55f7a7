#pragma once

#include "platform/UserInterface.h"

namespace dorvel::cli {

// Nobody to ask on the command line: messages go to standard error,
// questions get a fixed answer, dialogs are cancelled, nothing is opened.
class ConsoleUserInterface : public UserInterface {
public:
    explicit ConsoleUserInterface(Answer answer = Answer::Yes)
        : m_answer(answer)
    {
    }

    void showMessage(const std::string& text, Tone tone) override;
    Answer ask(const std::string& text, Buttons buttons, Tone tone) override;
    std::vector<std::string> chooseOpenFiles(const FileDialog&) override { return {}; }
    std::optional<std::string> chooseSaveFile(const FileDialog&) override { return std::nullopt; }

private:
    Answer m_answer;
};

}  // namespace dorvel::cli
