#include "editor/ui/TestDetailsPage.h"
#include "platform/DesktopOpener.h"
#include "shell/ui/DialogUserInterface.h"
#include "shell/ui/FileAssociation.h"
#include "shell/ui/RecentFiles.h"
#include "storage/FileUtils.h"
#include "tests/building/ScopedEnvironment.h"
#include "tests/support/TempFolder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

#include <gtest/gtest.h>

namespace dorvel::test {
namespace {

RecentFiles::Entries entries(std::initializer_list<std::pair<int, const char*>> values)
{
    RecentFiles::Entries e;
    for (const auto& [i, path] : values)
        e[static_cast<std::size_t>(i)] = path;
    return e;
}

TEST(RecentFilesTest, AddPutsThePathFirstAndShiftsUpToTheFirstGap)
{
    struct Case {
        RecentFiles::Entries before;
        const char* added;
        RecentFiles::Entries after;
    };
    RecentFiles::Entries full;
    for (int i = 0; i < RecentFiles::kCount; ++i)
        full[static_cast<std::size_t>(i)] = "f" + std::to_string(i) + ".vtd";
    RecentFiles::Entries fullAfter;
    fullAfter[0] = "new.vtd";
    for (int i = 1; i < RecentFiles::kCount; ++i)
        fullAfter[static_cast<std::size_t>(i)] = full[static_cast<std::size_t>(i - 1)];
    const Case cases[] = {
        {entries({{0, "a.vtd"}, {1, "b.vtd"}}), "c.vtd", entries({{0, "c.vtd"}, {1, "a.vtd"}, {2, "b.vtd"}})},
        // The gap at 1 is filled; entries after it stay where they are.
        {entries({{0, "a.vtd"}, {2, "b.vtd"}}), "c.vtd", entries({{0, "c.vtd"}, {1, "a.vtd"}, {2, "b.vtd"}})},
        // Reopening the newest file changes nothing.
        {entries({{0, "a.vtd"}, {1, "b.vtd"}}), "a.vtd", entries({{0, "a.vtd"}, {1, "b.vtd"}})},
        {entries({{0, "a.vtd"}, {1, "b.vtd"}, {2, "c.vtd"}}), "b.vtd",
         entries({{0, "b.vtd"}, {1, "a.vtd"}, {2, "c.vtd"}})},
        // With no gap the last entry falls off.
        {full, "new.vtd", fullAfter},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.added);
        RecentFiles recent;
        recent.load(c.before);
        recent.add(c.added);
        EXPECT_EQ(recent.entries(), c.after);
    }
}

TEST(RecentFilesTest, LoadSkipsRepeatsAndMenuNamesFilesWithoutExtension)
{
    RecentFiles recent;
    recent.load(entries({{0, "/x/Quiz one.vtd"}, {1, "/x/Quiz one.vtd"}, {3, "/y/b.vtd"}}));
    EXPECT_EQ(recent.at(1), "");
    const auto items = recent.menuItems();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0], std::make_pair(0, std::string("Quiz one")));
    EXPECT_EQ(items[1], std::make_pair(3, std::string("b")));
}

TEST(RecentFilesTest, ForgetMissingEmptiesOnlyVanishedFiles)
{
    TempFolder dir;
    const std::string kept = dir.write("kept.vtd", "x");
    RecentFiles recent;
    recent.load(entries({{0, dir.path("gone.vtd").c_str()}, {1, kept.c_str()}}));
    recent.forgetMissing();
    EXPECT_EQ(recent.at(0), "");
    EXPECT_EQ(recent.at(1), kept);
}

TEST(FileFilterTest, DelphiFiltersBecomeQtFilters)
{
    EXPECT_EQ(QtFileFilter("Dorvel Files|*.vtd"), QStringLiteral("Dorvel Files (*.vtd)"));
    EXPECT_EQ(QtFileFilter("Web Pages|*htm"), QStringLiteral("Web Pages (*htm)"));
    EXPECT_EQ(QtFileFilter("Pictures|*.gif;*.jpg|All|*.*"), QStringLiteral("Pictures (*.gif *.jpg);;All (*.*)"));
    // The filter the author chose, as the import dialog reads its format.
    const QString formats = QtFileFilter("Any|*.gift;*.xml|GIFT|*.gift|Aiken|*.txt|All|*");
    EXPECT_EQ(FileFilterIndex(formats, QStringLiteral("Aiken (*.txt)")), 2);
    EXPECT_EQ(FileFilterIndex(formats, QStringLiteral("All (*)")), 3);
    EXPECT_EQ(FileFilterIndex(formats, QStringLiteral("Any (*.gift *.xml)")), 0);
    EXPECT_EQ(FileFilterIndex(formats, QStringLiteral("Other")), 0);
}

// What an import left out is shown with the message, not behind a button.
TEST(MessageWithListTest, TheListIsShownWithTheMessage)
{
    DialogUserInterface ui(nullptr);
    const std::string list = "Question 3 (Rivers): no right answer\nQuestion 9 (Lakes): an empty answer";
    QString shownList;
    bool listVisible = false;
    QStringList buttons;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        for (auto* text : box->findChildren<QPlainTextEdit*>())
            if (text->isVisible()) {
                shownList = text->toPlainText();
                listVisible = text->height() >= 3 * text->fontMetrics().height();
            }
        for (auto* button : box->findChildren<QAbstractButton*>())
            if (button->isVisible())
                buttons << button->text();
        box->close();
    });
    ui.showMessageWithList("2 questions imported, 2 not imported.\nThese questions were not imported:", list,
                           Tone::Warning);
    EXPECT_EQ(shownList, QString::fromStdString(list));
    EXPECT_TRUE(listVisible);
    EXPECT_EQ(buttons.size(), 1) << buttons.join(QLatin1Char('|')).toStdString();
}

// The desktop's opener is a stand-in xdg-open first in PATH: it notes what
// it was given, then behaves as each case says.
TEST(DesktopOpenerTest, AnOpenerThatFailsSoonIsReported)
{
    struct Case {
        const char* name;
        const char* script;  // the stand-in's body; none: no opener at all
        bool started;
        bool reported;
    };
    const Case cases[] = {
        {"no browser set up", "exit 3", true, true},
        {"the browser would not start", "exit 4", true, true},
        {"opened", "exit 0", true, false},
        // Still running when the watch ends: a browser in the foreground.
        {"browser still open", "sleep 2; exit 4", true, false},
        {"no opener installed", nullptr, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder dir;
        if (c.script) {
            const std::string opener = dir.write("bin/xdg-open", std::string("#!/bin/sh\necho \"$1\" >> \"$(dirname \"$0\")/opened\"\n") + c.script + "\n");
            ASSERT_EQ(chmod(opener.c_str(), 0755), 0);
        }
        ScopedEnvironment env;
        // Without the stand-in, no folder with a real opener either.
        env.set("PATH", c.script ? dir.path("bin") + ":/usr/bin:/bin" : dir.path("bin"));
        bool reported = false;
        EXPECT_EQ(OpenWithDesktop(
                      "/tmp/Start page.htm", [&reported] { reported = true; }, 1000),
                  c.started);
        QTest::qWait(c.script && std::string(c.script).rfind("sleep", 0) == 0 ? 2500 : 300);
        QTest::qWaitFor([&] { return reported == c.reported; }, 2000);
        EXPECT_EQ(reported, c.reported);
        if (c.script) {
            std::string opened;
            ReadFileBytes(dir.path("bin/opened"), opened);
            EXPECT_EQ(opened, "/tmp/Start page.htm\n");
        }
    }
}

TEST(FileAssociationTest, OnlyOurDesktopEntryCounts)
{
    const auto answer = [](std::optional<std::string> entry) {
        return [entry](const std::string& type) {
            EXPECT_EQ(type, "application/x-dorvel-set");
            return entry;
        };
    };
    EXPECT_TRUE(SetFilesAssociated(answer("dorvel.desktop")));
    EXPECT_FALSE(SetFilesAssociated(answer("libreoffice.desktop")));
    EXPECT_FALSE(SetFilesAssociated(answer("")));
    EXPECT_FALSE(SetFilesAssociated(answer(std::nullopt)));
}

TEST(StyleImageTest, GifThenJpegThenBitmap)
{
    TempFolder dir;
    EXPECT_EQ(TestDetailsPage::StyleImageFile(dir.path()), "");
    const std::string bmp = dir.write("Style.bmp", "BM");
    EXPECT_EQ(TestDetailsPage::StyleImageFile(dir.path()), bmp);
    const std::string jpg = dir.write("Style.jpg", "\xFF\xD8");
    EXPECT_EQ(TestDetailsPage::StyleImageFile(dir.path()), jpg);
    const std::string gif = dir.write("Style.gif", "GIF8");
    EXPECT_EQ(TestDetailsPage::StyleImageFile(dir.path()), gif);
}

}  // namespace
}  // namespace dorvel::test
