#include "building/QuestionPlayer.h"
#include "shell/Installation.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"
#include "tests/building/ScopedEnvironment.h"
#include "tests/support/ScriptedUserInterface.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <QDir>

#include <functional>

#include <sys/stat.h>

namespace dorvel {
namespace {

using test::ScopedEnvironment;
using test::ScriptedUserInterface;
using test::TempFolder;

// A desktop of its own: XDG folders inside a temporary folder, an
// installation folder beside them.
class QuestionPlayerTest : public ::testing::Test {
protected:
    QuestionPlayerTest()
    {
        env.set("XDG_CONFIG_HOME", dir.path("config"));
        env.set("XDG_CONFIG_DIRS", dir.path("etc-xdg"));
        env.set("XDG_DATA_HOME", dir.path("data"));
        env.set("XDG_DATA_DIRS", dir.path("usr-share"));
        env.set("XDG_CURRENT_DESKTOP", "Test");
        SetInstallationFolder(dir.path("install"));
    }
    ~QuestionPlayerTest() override { SetInstallationFolder({}); }

    std::string program(const std::string& name)
    {
        const std::string p = dir.write(name, "#!/bin/sh\n");
        ::chmod(p.c_str(), 0755);
        return p;
    }
    void desktopEntry(const std::string& path, const std::string& exec, const std::string& extra = {})
    {
        dir.write(path, "[Desktop Entry]\nType=Application\nName=Player\nExec=" + exec + "\n" + extra);
    }

    TempFolder dir;
    ScopedEnvironment env;
};

TEST_F(QuestionPlayerTest, NoAssociationMeansThePlayerOfTheInstallation)
{
    const QuestionPlayer p = FindQuestionPlayer();
    EXPECT_EQ(p.path, dir.path("install/VTX"));
    EXPECT_FALSE(p.viaAssociation);
}

TEST_F(QuestionPlayerTest, RegisteredPlayerIsFoundWherePeopleRegisterIt)
{
    const std::string spaced = program("opt/Vantric Player/VTX");
    const std::string plain = program("bin/vtx-player");
    struct Case {
        const char* name;
        std::function<void()> setUp;
        std::string expected;
    };
    const Case cases[] = {
        {"user default, quoted path with a blank and a placeholder",
         [&] {
             dir.write("config/mimeapps.list", "[Default Applications]\napplication/x-dorvel-bank=vtx.desktop;\n");
             desktopEntry("data/applications/vtx.desktop", "\"" + spaced + "\" %f");
         },
         spaced},
        {"desktop-specific list, unquoted Exec",
         [&] {
             dir.write("config/test-mimeapps.list", "[Default Applications]\napplication/x-dorvel-bank=vtx.desktop\n");
             desktopEntry("data/applications/vtx.desktop", plain + " %f");
         },
         plain},
        {"default not installed, system default next",
         [&] {
             dir.write("config/mimeapps.list", "[Default Applications]\napplication/x-dorvel-bank=gone.desktop;\n");
             dir.write("etc-xdg/mimeapps.list", "[Default Applications]\napplication/x-dorvel-bank=vtx.desktop;\n");
             desktopEntry("usr-share/applications/vtx.desktop", plain);
         },
         plain},
        {"vendor prefix as a sub-folder",
         [&] {
             dir.write("data/applications/mimeapps.list",
                       "[Added Associations]\napplication/x-dorvel-bank=vantric-vtx.desktop;\n");
             desktopEntry("usr-share/applications/vantric/vtx.desktop", plain + " %U");
         },
         plain},
        {"only the MIME cache",
         [&] {
             dir.write("usr-share/applications/mimeinfo.cache",
                       "[MIME Cache]\ntext/plain=other.desktop;\napplication/x-dorvel-bank=vtx.desktop;\n");
             desktopEntry("usr-share/applications/vtx.desktop", plain);
         },
         plain},
        {"only the entry's MimeType line",
         [&] { desktopEntry("data/applications/vtx.desktop", plain, "MimeType=text/x-a;application/x-dorvel-bank;\n"); },
         plain},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* f : {"config", "etc-xdg", "data", "usr-share"})
            QDir(toQString(dir.path(f))).removeRecursively();
        c.setUp();
        const QuestionPlayer p = FindQuestionPlayer();
        EXPECT_EQ(p.path, c.expected);
        EXPECT_TRUE(p.viaAssociation);
    }
}

TEST_F(QuestionPlayerTest, RegisteredButMissingOrHiddenPlayerIsPassedOver)
{
    const std::string plain = program("bin/vtx-player");
    for (const auto& [exec, extra] : std::vector<std::pair<std::string, std::string>>{
             {dir.path("nowhere/VTX") + " %f", ""},
             {"\"" + plain + " %f", ""},  // the closing quote is missing
             {plain, "Hidden=true\n"},
         }) {
        SCOPED_TRACE(exec + extra);
        dir.write("config/mimeapps.list", "[Default Applications]\napplication/x-dorvel-bank=vtx.desktop\n");
        desktopEntry("data/applications/vtx.desktop", exec, extra);
        EXPECT_FALSE(FindQuestionPlayer().viaAssociation);
    }
}

TEST_F(QuestionPlayerTest, StartingThroughTheAssociationOpensTheBank)
{
    ScriptedUserInterface ui;
    EXPECT_TRUE(StartQuestionPlayer(ui, dir.path("b.vtb"), {"/usr/bin/vtx", true}));
    EXPECT_EQ(ui.opened, std::vector<std::string>{dir.path("b.vtb")});
    EXPECT_FALSE(FileExists(PlayerStartFilePath()));
}

TEST_F(QuestionPlayerTest, StartingDirectlyLeavesTheStartFileFirst)
{
    ForceDirectory(dir.path("install"));
    ScriptedUserInterface ui;
    const std::string player = dir.path("install/VTX");
    EXPECT_TRUE(StartQuestionPlayer(ui, dir.path("my banks/b.vtb"), {player, false}));
    EXPECT_EQ(ui.opened, std::vector<std::string>{player});
    std::string start;
    ASSERT_TRUE(ReadFileBytes(dir.path("install/VTX.txt"), start));
    EXPECT_EQ(start, "<f>" + dir.path("my banks/b.vtb") + "</f>");
}

TEST_F(QuestionPlayerTest, StartFileThatCannotBeWrittenIsAFailure)
{
    ScriptedUserInterface ui;
    // Neither the installation folder nor a folder of the user's own can be
    // made: a file stands where their parent should be.
    dir.write("blocked", "");
    env.set("XDG_DATA_HOME", dir.path("blocked/data"));
    env.set("HOME", dir.path("blocked/home"));
    EXPECT_FALSE(StartQuestionPlayer(ui, dir.path("b.vtb"), {dir.path("install/VTX"), false}));
    EXPECT_TRUE(ui.opened.empty());
}

}  // namespace
}  // namespace dorvel
