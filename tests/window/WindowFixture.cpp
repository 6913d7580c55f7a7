#include "tests/window/WindowFixture.h"

#include "editor/Workspace.h"
#include "editor/recovery/RecoveryCopies.h"
#include "shell/Installation.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

namespace dorvel::test {

namespace {

QTemporaryDir& fixtureRoot()
{
    static QTemporaryDir root;
    return root;
}

QSettings editorSettings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Software"),
                     QStringLiteral("BorvaneVantricDV"));
}

}  // namespace

const std::string& FixtureInstallation()
{
    static const std::string folder = [] {
        const std::string install = JoinPath(fromQString(fixtureRoot().path()), "install");
        ForceDirectory(install);
        for (const char* name : {"Buttons", "DorvelTemplates", "DVLang"})
            QFile::link(toQString(JoinPath(DORVEL_BUILD_INSTALL_DIR, name)), toQString(JoinPath(install, name)));
        ForceDirectory(JoinPath(install, "DVSounds"));
        return WithSeparator(install);
    }();
    return folder;
}

const std::string& FixtureConfigFolder()
{
    static const std::string folder = [] {
        const std::string config = JoinPath(fromQString(fixtureRoot().path()), "config");
        ForceDirectory(config);
        return config;
    }();
    return folder;
}

void ResetSettings()
{
    QSettings s = editorSettings();
    s.clear();
    s.sync();
}

void PresetSetting(const QString& name, const QVariant& value)
{
    QSettings s = editorSettings();
    s.setValue(name, value);
    s.sync();
}

QVariant StoredSetting(const QString& name)
{
    return editorSettings().value(name);
}

void WindowTest::SetUp()
{
    SetInstallationFolder(FixtureInstallation());
    ResetSettings();
    DeleteFile(FixtureInstallation() + "filespec.pab");
    QDir(toQString(RecoveryCopies::defaultFolder())).removeRecursively();
}

void WindowTest::TearDown()
{
    window.reset();
}

MainWindow& WindowTest::startWindow(const QStringList& arguments)
{
    window = std::make_unique<MainWindow>(&ui);
    window->setAssociationQuery([](const std::string&) { return std::optional<std::string>("dorvel.desktop"); });
    window->show();
    EXPECT_TRUE(window->startCall(arguments));
    // The first start's question and welcome follow once the window is up.
    QCoreApplication::processEvents();
    return *window;
}

bool WindowTest::closeWindow()
{
    if (!window)
        return true;
    const bool closed = window->close();
    if (closed)
        window.reset();
    return closed;
}

std::string WindowTest::currentField(const std::string& field)
{
    return questionField(workspace().currentQuestion(), field);
}

std::string WindowTest::questionField(int n, const std::string& field)
{
    const OpenSet* set = workspace().current();
    if (!set || n < 1)
        return "<no question>";
    return GetTag(set->questionSlots[static_cast<std::size_t>(n)], field);
}

std::string WindowTest::detailsField(const std::string& field)
{
    const OpenSet* set = workspace().current();
    return set ? GetTag(set->testDetails, field) : "<no set>";
}

}  // namespace dorvel::test
