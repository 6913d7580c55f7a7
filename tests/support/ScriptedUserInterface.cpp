#include "tests/support/ScriptedUserInterface.h"

#include <gtest/gtest.h>

namespace dorvel::test {

void ScriptedUserInterface::showMessage(const std::string& text, Tone)
{
    messages.push_back(text);
}

Answer ScriptedUserInterface::ask(const std::string& text, Buttons, Tone)
{
    questions.push_back(text);
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected question: " << text;
        return Answer::Cancel;
    }
    const Answer a = answers.front();
    answers.pop_front();
    return a;
}

std::vector<std::string> ScriptedUserInterface::chooseOpenFiles(const FileDialog& dialog)
{
    dialogs.push_back(dialog);
    if (openChoices.empty()) {
        ADD_FAILURE() << "unexpected open dialog: " << dialog.title;
        return {};
    }
    auto c = openChoices.front();
    openChoices.pop_front();
    if (dialog.chosenFilter) {
        *dialog.chosenFilter = filterChoices.empty() ? 0 : filterChoices.front();
        if (!filterChoices.empty())
            filterChoices.pop_front();
    }
    return c;
}

std::optional<std::string> ScriptedUserInterface::chooseSaveFile(const FileDialog& dialog)
{
    dialogs.push_back(dialog);
    if (saveChoices.empty()) {
        ADD_FAILURE() << "unexpected save dialog: " << dialog.title;
        return std::nullopt;
    }
    auto c = saveChoices.front();
    saveChoices.pop_front();
    return c;
}

std::optional<int> ScriptedUserInterface::chooseOne(const std::string& /*question*/, const std::vector<std::string>& options)
{
    offered.push_back(options);
    if (oneChoices.empty())
        return 0;
    auto c = oneChoices.front();
    oneChoices.pop_front();
    return c;
}

void ScriptedUserInterface::announce(const std::string& key)
{
    announced.push_back(key);
}

void ScriptedUserInterface::progressLabel(const std::string& text)
{
    progressLabels.push_back(text);
}

bool ScriptedUserInterface::openWithSystem(const std::string& pathOrUrl)
{
    opened.push_back(pathOrUrl);
    return openSucceeds;
}

}  // namespace dorvel::test
