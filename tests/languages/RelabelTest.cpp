#include "editor/QuestionListModel.h"
#include "editor/Workspace.h"
#include "editor/ui/RadioGroup.h"
#include "languages/ComponentLine.h"
#include "languages/HintTexts.h"
#include "shell/Installation.h"
#include "languages/Sound.h"
#include "shell/ui/ComponentRelabeller.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"
#include "tests/languages/LanguageWindowFixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStatusTipEvent>

#include <gtest/gtest.h>

namespace dorvel::test {
namespace {

// The component lines of a built pack, as the program reads them.
std::vector<ComponentLine> ComponentLinesOf(const std::string& language)
{
    std::vector<ComponentLine> lines;
    LangStrings scratch;
    scratch.applyPack(ReadStoredFile(JoinPath(DORVEL_BUILD_INSTALL_DIR, "DVLang/" + language + ".vtc")),
                      [&](const std::string& line) { lines.push_back(ParseComponentLine(line)); });
    return lines;
}

// What the window shows for a property of a component.
QString Shown(QObject* object, const std::string& property)
{
    if (HintNumber(property)) {
        if (auto* action = qobject_cast<QAction*>(object))
            return action->statusTip();
        if (auto* menu = qobject_cast<QMenu*>(object))
            return menu->menuAction()->statusTip();
        return static_cast<QWidget*>(object)->toolTip();
    }
    if (property == "Title" || property == "Filter")
        return object->property(property.c_str()).toString();
    if (auto* group = qobject_cast<RadioGroup*>(object)) {
        if (property.size() == 5 && property.rfind("Item", 0) == 0)
            return group->itemText(property[4] - '1');
        return group->title();
    }
    if (auto* list = qobject_cast<QComboBox*>(object)) {
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items << list->itemText(i);
        return items.join(QLatin1Char('#'));
    }
    if (auto* action = qobject_cast<QAction*>(object))
        return action->text();
    if (auto* menu = qobject_cast<QMenu*>(object))
        return menu->title();
    if (auto* button = qobject_cast<QAbstractButton*>(object))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(object))
        return label->text();
    if (auto* box = qobject_cast<QGroupBox*>(object))
        return box->title();
    return QStringLiteral("(kind without %1)").arg(QString::fromStdString(property));
}

class RelabelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetSettings();
        PresetSetting(QStringLiteral("firstLaunch"), 0);
    }
    void TearDown() override
    {
        window.reset();
        ResetSettings();
    }

    template <typename T>
    T* control(const char* name)
    {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    Workspace& workspace() { return window->workspace(); }

    ScriptedUserInterface ui;
    std::unique_ptr<MainWindow> window;
};

class ShippedPackTest : public RelabelTest, public ::testing::WithParamInterface<const char*> {};

// Every line of a shipped pack reaches a component of the window and shows:
// a misspelt name or a property the component does not take would leave a
// text untranslated.
TEST_P(ShippedPackTest, RelabelsEveryNamedComponent)
{
    const std::string language = GetParam();
    LanguageInstallation install;
    PresetSetting(QStringLiteral("langchoice"), QString::fromLatin1(language.c_str()));
    window = StartWindow(ui);
    ASSERT_EQ(window->currentLanguage(), language);

    const std::vector<ComponentLine> lines = ComponentLinesOf(language);
    ASSERT_GT(lines.size(), 100u);
    for (const ComponentLine& line : lines) {
        SCOPED_TRACE(line.component + " " + line.property);
        const QString value = QString::fromUtf8(line.value.c_str());
        if (line.property == "FormCaption") {
            const QWidget* target = line.component == "Dorvel"
                ? window.get()
                : window->findChild<QWidget*>(QString::fromLatin1(line.component.c_str()));
            ASSERT_NE(target, nullptr);
            // The main window's caption puts the current set's file before the program's name.
            if (target == window.get())
                EXPECT_TRUE(target->windowTitle().endsWith(QStringLiteral(" - ") + value)) << target->windowTitle().toStdString();
            else
                EXPECT_EQ(target->windowTitle(), value);
            continue;
        }
        QObject* object = window->findChild<QObject*>(QString::fromLatin1(line.component.c_str()));
        ASSERT_NE(object, nullptr) << "no component of that name";
        if (line.property == "Items") {
            QStringList items;
            for (const std::string& item : SplitItems(line.value))
                items << QString::fromUtf8(item.c_str());
            EXPECT_EQ(Shown(object, line.property), items.join(QLatin1Char('#')));
        } else {
            EXPECT_EQ(Shown(object, line.property), value);
        }
        if (const auto n = HintNumber(line.property); n && *n > 0) {
            EXPECT_EQ(window->hintTexts().at(*n), line.value);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Packs, ShippedPackTest, ::testing::Values("English (UK)", "Deutsch"));

TEST_F(RelabelTest, ThePacksSpeakTheirOwnLanguage)
{
    const struct {
        const char* language;
        const char* testNameLabel;
        const char* trueItem;
        const char* fileMenu;
        const char* type3;
        const char* set;
    } cases[] = {
        {"English (UK)", "Test name:", "True", "&File", "True/False, 1 Statement", "Set"},
        {"Deutsch", "Name des Tests:", "Richtig", "&Datei", "Richtig/Falsch, 1 Aussage", "Fragensatz"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        LanguageInstallation install;
        PresetSetting(QStringLiteral("langchoice"), QString::fromLatin1(c.language));
        window = StartWindow(ui);
        EXPECT_EQ(control<QLabel>("TestNameLabel")->text(), QString::fromUtf8(c.testNameLabel));
        EXPECT_EQ(control<RadioGroup>("tf1")->itemText(0), QString::fromUtf8(c.trueItem));
        EXPECT_EQ(control<QMenu>("File1")->title(), QString::fromUtf8(c.fileMenu));
        EXPECT_EQ(control<QComboBox>("QuestionType")->itemText(3), QString::fromUtf8(c.type3));
        EXPECT_EQ(workspace().questionList().caption(0), c.set);
        const QAction* ticked = nullptr;
        for (QAction* item : control<QMenu>("LangChoices")->actions())
            if (item->isChecked())
                ticked = item;
        ASSERT_NE(ticked, nullptr);
        EXPECT_EQ(ticked->text(), QString::fromLatin1(c.language));
        window.reset();
    }
}

TEST_F(RelabelTest, ChoosingFromTheMenuKeepsWhatTheNewPackDoesNotSet)
{
    LanguageInstallation install(false);
    install.copyBuiltPack("English (UK)");
    install.writePack("Mini", "0019 Zu viele\r\nTestNameLabel Caption Testname:\r\nBuildButton Hint18 Baut die Bank\r\n");
    window = StartWindow(ui);
    ASSERT_EQ(window->currentLanguage(), "English (UK)");
    const QString buildCaption = control<QAbstractButton>("BuildButton")->text();
    const std::string s20 = window->lang().at(20);

    QMenu* menu = control<QMenu>("LangChoices");
    ASSERT_TRUE(menu->menuAction()->isVisible());
    ASSERT_EQ(menu->actions().size(), 2);
    QAction* mini = menu->actions()[0]->text() == QStringLiteral("Mini") ? menu->actions()[0] : menu->actions()[1];
    mini->trigger();

    EXPECT_EQ(window->currentLanguage(), "Mini");
    EXPECT_EQ(control<QLabel>("TestNameLabel")->text(), QStringLiteral("Testname:"));
    EXPECT_EQ(control<QAbstractButton>("BuildButton")->toolTip(), QStringLiteral("Baut die Bank"));
    EXPECT_EQ(control<QAbstractButton>("BuildButton")->text(), buildCaption);
    EXPECT_EQ(window->lang().at(19), "Zu viele");
    EXPECT_EQ(window->lang().at(20), s20);
    EXPECT_EQ(window->hintTexts().at(18), "Baut die Bank");
    EXPECT_EQ(StoredSetting(QStringLiteral("langchoice")).toString(), QStringLiteral("Mini"));
    for (QAction* item : menu->actions())
        EXPECT_EQ(item->isChecked(), item == mini) << item->text().toStdString();

    // Back to English: its own texts return.
    for (QAction* item : menu->actions())
        if (item != mini)
            item->trigger();
    EXPECT_EQ(control<QLabel>("TestNameLabel")->text(), QStringLiteral("Test name:"));
    EXPECT_NE(window->lang().at(19), "Zu viele");
}

TEST_F(RelabelTest, ASinglePackHidesTheMenuAndIgnoresTheSetting)
{
    LanguageInstallation install(false);
    install.writePack("Nederlands", "TestNameLabel Caption Naam van de toets:\r\n");
    PresetSetting(QStringLiteral("langchoice"), QStringLiteral("English (UK)"));
    window = StartWindow(ui);
    EXPECT_EQ(window->currentLanguage(), "Nederlands");
    EXPECT_FALSE(control<QMenu>("LangChoices")->menuAction()->isVisible());
    EXPECT_EQ(control<QLabel>("TestNameLabel")->text(), QStringLiteral("Naam van de toets:"));
}

TEST_F(RelabelTest, LinesForUnknownComponentsOrStringsBeyondTheTableChangeNothing)
{
    LanguageInstallation install(false);
    install.copyBuiltPack("English (UK)");
    install.writePack("Odd",
                      "NoSuchThing Caption x\r\n"
                      "1000 beyond the table\r\n"
                      "9999 far beyond\r\n"
                      "0005 a number below 9 names no component\r\n"
                      "0019 \r\n"                   // five characters: cannot empty a string
                      "TestName Caption x\r\n"      // one-line text: hints only
                      "TestTree Caption x\r\n"      // the question list: hints only
                      "GraphicStyle Caption x\r\n"  // drop-down list: hints and items only
                      "Select0 Item1 x\r\n"         // radio button: caption and hint only
                      "tf1 Items a#b#c\r\n"         // radio group: caption, items 1 and 2, hint
                      "OpenDialog1 Caption x\r\n"   // dialogs: title and filter only
                      "ScrollText1 Caption x\r\n"   // a kind without texts
                      "Client FormCaption x\r\n");  // only the window and the About box have one
    window = StartWindow(ui);
    const auto before = WindowTexts(*window);
    std::vector<std::string> strings;
    for (int n = 0; n < LangStrings::kCount; ++n)
        strings.push_back(window->lang().at(n));

    window->LanguageSelection("Odd");

    EXPECT_EQ(WindowTexts(*window), before);
    for (int n = 0; n < LangStrings::kCount; ++n)
        EXPECT_EQ(window->lang().at(n), strings[static_cast<std::size_t>(n)]) << n;
}

TEST_F(RelabelTest, RefillingTheTypeListIsNotAnEdit)
{
    LanguageInstallation install;
    window = StartWindow(ui);
    workspace().NewQuestion();
    auto* types = control<QComboBox>("QuestionType");
    types->setCurrentIndex(7);
    const OpenSet& set = *workspace().current();
    const std::string question = set.questionSlots[1];
    const int changes = set.changeCount;

    HintTexts hints;
    EXPECT_TRUE(ApplyComponentLine(*window, "QuestionType Items a1#b2#c3#d4#e5#f6#g7#h8#i9#j10#k11", hints));

    EXPECT_EQ(types->count(), 11);
    EXPECT_EQ(types->currentIndex(), 7);
    EXPECT_EQ(types->currentText(), QStringLiteral("h8"));
    EXPECT_EQ(set.questionSlots[1], question);
    EXPECT_EQ(set.changeCount, changes);
}

TEST_F(RelabelTest, DialogLinesRelabelTheDialogsTheWindowOpens)
{
    LanguageInstallation install;
    window = StartWindow(ui);
    HintTexts hints;
    EXPECT_TRUE(ApplyComponentLine(*window, "SaveWebDialog Title Webtest opslaan", hints));
    EXPECT_TRUE(ApplyComponentLine(*window, "SaveWebDialog Filter Webpagina's|*.htm", hints));
    EXPECT_FALSE(ApplyComponentLine(*window, "SaveWebDialog Hint3 no hints on dialogs", hints));
    QObject* dialog = window->findChild<QObject*>(QStringLiteral("SaveWebDialog"));
    EXPECT_EQ(dialog->property("Title").toString(), QStringLiteral("Webtest opslaan"));
    EXPECT_EQ(dialog->property("Filter").toString(), QStringLiteral("Webpagina's|*.htm"));
}

}  // namespace
}  // namespace dorvel::test
