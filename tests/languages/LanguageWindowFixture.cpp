#include "tests/languages/LanguageWindowFixture.h"

#include "shell/Installation.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QStringList>
#include <QWidget>

namespace dorvel::test {

namespace {

QSettings editorSettings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Software"),
                     QStringLiteral("BorvaneVantricDV"));
}

void link(const std::string& from, const std::string& to)
{
    EXPECT_TRUE(QFile::link(toQString(from), toQString(to))) << to;
}

}  // namespace

LanguageInstallation::LanguageInstallation(bool builtPacks)
{
    for (const char* name : {"Buttons", "DorvelTemplates", "DVSounds", "DVHelp"})
        link(JoinPath(DORVEL_BUILD_INSTALL_DIR, name), path(name));
    if (builtPacks)
        link(JoinPath(DORVEL_BUILD_INSTALL_DIR, "DVLang"), path("DVLang"));
    else
        ForceDirectory(path("DVLang"));
    SetInstallationFolder(path());
}

LanguageInstallation::~LanguageInstallation()
{
    SetInstallationFolder({});
}

void LanguageInstallation::copyBuiltPack(const std::string& language) const
{
    const std::string file = "DVLang/" + language + ".vtc";
    EXPECT_TRUE(QFile::copy(toQString(JoinPath(DORVEL_BUILD_INSTALL_DIR, file)), toQString(path(file)))) << file;
}

void LanguageInstallation::writePack(const std::string& language, const std::string& text) const
{
    EXPECT_TRUE(WriteStoredFile(path("DVLang/" + language + ".vtc"), text));
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

std::map<QString, QString> WindowTexts(const QWidget& window)
{
    std::map<QString, QString> texts;
    texts[QStringLiteral("(window)")] = window.windowTitle();
    for (QObject* object : window.findChildren<QObject*>()) {
        const QString name = object->objectName();
        if (name.isEmpty())
            continue;
        QStringList parts;
        if (auto* w = qobject_cast<QWidget*>(object)) {
            parts << w->toolTip();
            if (w->isWindow())
                parts << w->windowTitle();
        }
        if (auto* a = qobject_cast<QAction*>(object))
            parts << a->text() << a->toolTip() << a->statusTip();
        if (auto* m = qobject_cast<QMenu*>(object))
            parts << m->title() << m->menuAction()->statusTip();
        if (auto* l = qobject_cast<QLabel*>(object))
            parts << l->text();
        if (auto* b = qobject_cast<QAbstractButton*>(object))
            parts << b->text();
        if (auto* g = qobject_cast<QGroupBox*>(object))
            parts << g->title();
        if (auto* c = qobject_cast<QComboBox*>(object))
            for (int i = 0; i < c->count(); ++i)
                parts << c->itemText(i);
        for (const char* property : {"Title", "Filter"})
            if (object->property(property).isValid())
                parts << object->property(property).toString();
        texts[name] = parts.join(QLatin1Char('|'));
    }
    return texts;
}

std::unique_ptr<MainWindow> StartWindow(ScriptedUserInterface& ui)
{
    auto window = std::make_unique<MainWindow>(&ui);
    window->setAssociationQuery([](const std::string&) { return std::optional<std::string>("dorvel.desktop"); });
    window->show();
    EXPECT_TRUE(window->startCall({}));
    return window;
}

}  // namespace dorvel::test
