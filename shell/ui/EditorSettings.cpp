#include "shell/ui/EditorSettings.h"

#include "storage/FileUtils.h"

namespace dorvel {

namespace {

QString valueName(const char* name)
{
    return QString::fromLatin1(name);
}

QString recentName(int i)
{
    return QStringLiteral("RecentFiles/lastFile") + QString::number(i);
}

}  // namespace

EditorSettings::EditorSettings()
    : m_settings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                             QStringLiteral("Software"), QStringLiteral("BorvaneVantricDV")))
{
}

EditorSettings::~EditorSettings() = default;

std::optional<int> EditorSettings::readInt(const char* name) const
{
    const QVariant value = m_settings->value(valueName(name));
    if (!value.isValid())
        return std::nullopt;
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return number;
}

std::optional<std::string> EditorSettings::readString(const char* name) const
{
    const QVariant value = m_settings->value(valueName(name));
    if (!value.isValid() || !value.canConvert<QString>())
        return std::nullopt;
    return fromQString(value.toString());
}

void EditorSettings::writeInt(const char* name, int value)
{
    m_settings->setValue(valueName(name), value);
}

void EditorSettings::writeString(const char* name, const std::string& value)
{
    m_settings->setValue(valueName(name), toQString(value));
}

RecentFiles::Entries EditorSettings::readRecentFiles() const
{
    RecentFiles::Entries entries;
    for (int i = 0; i < RecentFiles::kCount; ++i)
        entries[static_cast<std::size_t>(i)] = fromQString(m_settings->value(recentName(i)).toString());
    return entries;
}

bool EditorSettings::writeRecentFiles(const RecentFiles::Entries& entries)
{
    for (int i = 0; i < RecentFiles::kCount; ++i)
        m_settings->setValue(recentName(i), toQString(entries[static_cast<std::size_t>(i)]));
    return sync();
}

bool EditorSettings::sync()
{
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

std::string EditorSettings::fileName() const
{
    return fromQString(m_settings->fileName());
}

}  // namespace dorvel
