#include "player/PlayerLanguage.h"

#include "languages/LanguagePack.h"
#include "storage/FileUtils.h"

#include <QSettings>

namespace dorvel {

std::string LoadPlayerLanguage(LangStrings& strings)
{
    // The editor's settings: read only, never written from here.
    const QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Software"),
                             QStringLiteral("BorvaneVantricDV"));
    const QVariant stored = settings.value(QStringLiteral("langchoice"));
    std::optional<std::string> langchoice;
    if (stored.isValid())
        langchoice = fromQString(stored.toString());
    const std::optional<LanguageChoice> choice = ChooseLanguage(FindLanguagePackNames(), langchoice);
    if (!choice)
        return {};
    LoadLanguageStrings(strings, choice->current);
    return choice->current;
}

}  // namespace dorvel
