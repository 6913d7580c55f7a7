#include "export/SingleFileTest.h"

#include "export/ExportWrites.h"
#include "export/PageScript.h"
#include "export/WebTemplates.h"
#include "export/WebText.h"
#include "storage/FileUtils.h"

#include <QByteArray>
#include <QMimeDatabase>
#include <QString>

#include <cstdio>

namespace dorvel {

namespace {

struct FolderFile {
    std::string relative;  // "buttons/tick.gif", "map.png"
    std::string path;
};

void collect(const std::string& root, const std::string& relative, std::vector<FolderFile>& out)
{
    const std::string folder = relative.empty() ? root : JoinPath(root, relative);
    for (const std::string& name : ListFiles(folder))
        out.push_back({relative.empty() ? name : relative + "/" + name, JoinPath(folder, name)});
    for (const std::string& sub : ListFolders(folder))
        collect(root, relative.empty() ? sub : relative + "/" + sub, out);
}

std::string dataAddress(const std::string& fileName, const std::string& bytes)
{
    const QString type = QMimeDatabase().mimeTypeForFile(QString::fromStdString(fileName), QMimeDatabase::MatchExtension).name();
    const QByteArray encoded = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())).toBase64();
    return "data:" + type.toStdString() + ";base64," + std::string(encoded.constData(), static_cast<std::size_t>(encoded.size()));
}

}  // namespace

std::string SizeText(std::int64_t bytes)
{
    char text[32];
    if (bytes >= 1'000'000)
        std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / 1e6);
    else
        std::snprintf(text, sizeof text, "%lld KB", static_cast<long long>((bytes + 999) / 1000));
    return text;
}

SingleFileTest PackSingleFileTest(const std::string& writtenStartPage, const std::string& target,
                                  const std::string& testName, const StartPageTexts& texts, int sizeClass)
{
    SingleFileTest result;
    const std::string folder = TestFolder(writtenStartPage);
    std::string script;
    const auto failed = [&](const std::string& error) {
        result.error = error;
        return result;
    };
    if (!ReadFileBytes(folder + std::string(kPagesScriptName), script))
        return failed("cannot read " + folder + std::string(kPagesScriptName));
    script += PageTextAssignment("frame.htm", FramesetText(testName, texts, std::string()));

    std::vector<FolderFile> files;
    collect(folder, std::string(), files);
    std::string owlAddress;
    script += "var pageMedia = {};\n";
    for (const FolderFile& file : files) {
        if (file.relative == kPagesScriptName || file.relative == "frame.htm")
            continue;
        std::string bytes;
        if (!ReadFileBytes(file.path, bytes))
            return failed("cannot read " + file.path);
        // The help page is a page of its own: the frameset writes it into its window.
        if (LowerCase(ExtractFileExt(file.relative)) == ".htm") {
            script += PageTextAssignment(file.relative, bytes);
            continue;
        }
        result.mediaBytes += static_cast<std::int64_t>(bytes.size());
        const std::string address = dataAddress(file.relative, bytes);
        if (file.relative == "buttons/owl.gif")
            owlAddress = address;
        script += "pageMedia[" + PageTextLiteral(UrlPath(file.relative)) + "] = '" + address + "';\n";
    }
    if (const auto opener = LoadWebTemplate("single.js"))
        script += CompactScript(*opener);

    const StartPageLinks links{"location.href.split('#')[0] + '#test'", owlAddress};
    std::string page = StartPageText(testName, texts, sizeClass, links);
    const auto headEnd = page.find("</head>");
    if (headEnd == std::string::npos)
        return failed("the start page template has no head");
    page.insert(headEnd, "<script>\n" + script + "</script>\n");
    ExportWrites writes;
    if (!writes.write(target, page))
        return failed(writes.error());
    result.written = true;
    result.bytes = static_cast<std::int64_t>(page.size());
    return result;
}

}  // namespace dorvel
