#pragma once

#include "editor/EditorView.h"
#include "editor/QuestionListModel.h"
#include "editor/Workspace.h"
#include "languages/LangStrings.h"
#include "storage/Vtutils.h"
#include "tests/support/ScriptedUserInterface.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dorvel::test {

class RecordingView : public EditorView {
public:
    std::vector<std::string> calls;
    void showTestDetails() override { calls.push_back("details"); }
    void showQuestion(int n) override { calls.push_back("question " + std::to_string(n)); }
    void addRecentFile(const std::string& path) override { recent.push_back(path); }
    void testNameChanged(const std::string& name) override { calls.push_back("name " + name); }
    void showStatus(const std::string& text) override { statuses.push_back(text); }
    std::vector<std::string> statuses;
    std::vector<std::string> recent;
};

class WorkspaceTest : public ::testing::Test {
protected:
    WorkspaceTest()
        : workspace(ui, lang)
    {
        lang.applyPack(
            "0017 Save the new set?\n0018 Save changes to\n0019 Too many sets\n0020 Too many questions\n"
            "0021 Later version\n0025 Copy the question?\n0026 Delete the question?\n0055 Set\n"
            "0058 Not saved:\n0059 Not a set:\n0400 Saved to\n0440 Save the set \"%1\"?\n");
        workspace.setView(&view);
        workspace.setLastDir(dir.path());
    }

    OpenSet& cur() { return *workspace.current(); }
    std::string slot(int n) { return cur().questionSlots[static_cast<std::size_t>(n)]; }
    QuestionListModel& list() { return workspace.questionList(); }

    // A new set whose questions carry the titles given.
    void newSetWithTitles(const std::vector<std::string>& titles)
    {
        ASSERT_TRUE(workspace.NewSet());
        for (std::size_t i = 0; i < titles.size(); ++i) {
            if (i > 0)
                workspace.NewQuestion();
            workspace.TestTreeChange(workspace.currentSet(), static_cast<int>(i) + 1);
            workspace.questionChange("Title", titles[i]);
        }
    }

    std::vector<std::string> titles()
    {
        std::vector<std::string> out;
        for (int n = 1; n <= cur().questionCount(); ++n)
            out.push_back(GetTag(slot(n), "Title"));
        return out;
    }

    std::vector<std::string> captions(int set)
    {
        std::vector<std::string> out;
        for (int k = 1; k <= list().questionNodeCount(set); ++k)
            out.push_back(list().caption(set, k));
        return out;
    }

    // Saves the current set under a name in the test folder.
    std::string saveAs(const std::string& name)
    {
        const std::string path = dir.path(name);
        ui.saveChoices.push_back(path);
        EXPECT_TRUE(workspace.SaveTestAs());
        return path;
    }

    TempFolder dir;
    ScriptedUserInterface ui;
    LangStrings lang;
    RecordingView view;
    Workspace workspace;
};

}  // namespace dorvel::test
