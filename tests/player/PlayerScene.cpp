#include "tests/player/PlayerScene.h"

#include "bank/BankFile.h"
#include "building/ExpandSet.h"
#include "editor/commands/ExpandCurrentSet.h"
#include "editor/commands/PreviewCommand.h"
#include "platform/SystemFiles.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"

#include <gtest/gtest.h>

#include <QDirIterator>

#include <algorithm>
#include <cstdio>

namespace dorvel::test {

PlayerScene::PlayerScene()
    : workspace(ui, lang)
{
    env.set("TMPDIR", dir.path("tmp"));
    for (const char* xdg : {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS"})
        env.set(xdg, dir.path("xdg"));
    ForceDirectory(dir.path("tmp"));
    // The user's runtime folder, where Preview keeps its private scratch folder.
    env.set("XDG_RUNTIME_DIR", dir.path("run"));
    MakePrivateFolder(dir.path("run"));
    // Preview looks for a player before it does anything.
    install.writeFile("VTX", "stand-in");
    workspace.NewSet();
    OpenSet& s = set();
    s.testDetails = SetTag(s.testDetails, "GraphicStyle", "Plain");
    s.testDetails = SetTag(s.testDetails, "TestName", "Unit 1");
    s.testDetails = SetTag(s.testDetails, "allowMarking", "0");
    s.testDetails = SetTag(s.testDetails, "allowCheating", "0");
    for (int n = 1; n <= 3; ++n)
        s.questionSlots[static_cast<std::size_t>(n)] = QuestionRecord(2, "Question " + std::to_string(n));
    s.filePath = dir.path("Unit1.vtd");
    workspace.SaveTest();
}

std::string PlayerScene::preview(int n)
{
    workspace.TestTreeChange(0, n);
    PreviewQuestion(workspace, ui, lang, lists);
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front();
    return PreviewFolder() + "singleq.vtb";
}

void PlayerScene::build(const std::string& bankPath)
{
    ASSERT_EQ(ExpandSet(workspace, ui, lang, lists, 0), "0");
    const BankWriteResult written = WriteBankFile(lists, ui, bankPath, set().testDetails, "measuring", "writing");
    ASSERT_EQ(written.status, BankWriteStatus::Written) << written.error;
}

std::string Bytes(const std::string& path)
{
    std::string out;
    EXPECT_TRUE(ReadFileBytes(path, out)) << path;
    return out;
}

std::vector<std::string> FilesUnder(const std::string& folder)
{
    std::vector<std::string> out;
    const QString root = toQString(WithSeparator(folder));
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        out.push_back(fromQString(it.next().mid(root.size())));
    std::sort(out.begin(), out.end());
    return out;
}

std::string BankBytes(const std::string& header, const std::string& data, long long length)
{
    if (length < 0)
        length = static_cast<long long>(header.size()) + kBankHeaderOverhead;
    char field[32];
    std::snprintf(field, sizeof field, "%020lld", length);
    return ScrambleText(std::string(field) + header, 3) + data;
}

}  // namespace dorvel::test
