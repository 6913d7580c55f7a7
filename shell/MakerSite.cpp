#include "shell/MakerSite.h"

#include "shell/Installation.h"
#include "storage/FileUtils.h"

#include <QString>
#include <QUrl>

namespace dorvel {

namespace {

bool endsWith(const QString& host, const QString& tail)
{
    return host == tail || host.endsWith(QLatin1Char('.') + tail);
}

// Names that never belong to a real maker: the domains and top-level names
// kept for documentation and tests, and this machine.
bool reservedHost(const QString& host)
{
    for (const char* name : {"example", "example.org", "example.com", "example.net", "test", "invalid", "localhost", "local"}) {
        if (endsWith(host, QString::fromLatin1(name)))
            return true;
    }
    return false;
}

}  // namespace

std::optional<MakerSite> ParseMakerSite(std::string_view line)
{
    const QString text = QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())).trimmed();
    const QUrl url(text, QUrl::StrictMode);
    if (text.isEmpty() || !url.isValid() || (url.scheme() != QLatin1String("https") && url.scheme() != QLatin1String("http")))
        return std::nullopt;
    const QString host = url.host().toLower();
    if (host.isEmpty() || !host.contains(QLatin1Char('.')) || reservedHost(host) || !url.userInfo().isEmpty()
        || url.hasQuery() || url.hasFragment() || url.port() != -1)
        return std::nullopt;
    QString path = url.path();
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    MakerSite site;
    site.address = (url.scheme() + QStringLiteral("://") + host + path).toStdString();
    site.name = host.toStdString();
    return site;
}

std::optional<MakerSite> InstalledMakerSite()
{
    std::string text;
    if (!ReadFileBytes(InstallationFolder() + kMakerSiteFile, text))
        return std::nullopt;
    const auto end = text.find_first_of("\r\n");
    return ParseMakerSite(std::string_view(text).substr(0, end));
}

}  // namespace dorvel
