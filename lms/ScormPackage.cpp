#include "lms/ScormPackage.h"

#include "archive/ZipWriter.h"
#include "export/CreateWebPages.h"
#include "export/StartPages.h"
#include "export/WebTemplates.h"
#include "lms/ScormManifest.h"
#include "storage/FileUtils.h"
#include "storage/PartFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QUuid>

#include <algorithm>

namespace dorvel {

namespace {

// Every file below `folder`, as paths relative to it with "/" between folders.
std::vector<std::string> filesBelow(const QString& folder)
{
    std::vector<std::string> files;
    const QDir root(folder);
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.push_back(fromQString(root.relativeFilePath(it.next())));
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

std::string ScormScriptText(ScormVersion version, int passMark)
{
    const auto text = LoadWebTemplate("scorm.js");
    if (!text)
        return {};
    return FillPlaceholders(*text, {{"scormVersion", std::string(ScormVersionName(version))}, {"passMark", passMark > 0 ? std::to_string(passMark) : std::string()}});
}

std::string ScormAdapterText(ScormVersion version, int passMark)
{
    const auto text = LoadWebTemplate("flow/scorm.js");
    if (!text)
        return {};
    return FillPlaceholders(*text, {{"scormVersion", std::string(ScormVersionName(version))}, {"passMark", passMark > 0 ? std::to_string(passMark) : std::string()}});
}

ScormResult WriteScormPackage(const ScormExport& request, const ExportLists& lists, const LangStrings& lang,
                              UserInterface& ui)
{
    ScormResult result;
    // The test is written into a part folder beside the package and removed
    // when the package is written; a killed export leaves it, and the next
    // export of the package removes it.
    if (const std::string parent = ExtractFilePath(NativeSeparators(request.zipPath)); !parent.empty() && !DirectoryExists(parent)) {
        result.error = "no such folder: " + parent;
        return result;
    }
    RemoveLeftoverParts(request.zipPath);
    const PartFolder work(request.zipPath);
    if (!work.valid()) {
        result.error = "cannot make a working folder beside " + request.zipPath + ": " + work.error();
        return result;
    }
    const bool flow = request.layout == WebLayout::Flow;
    if (flow) {
        // The flowing pages: the page at the package's root, its folder beside it.
        const FlowExport web{work.path() + kScormFlowLaunchPage, request.testName, request.testDetails, request.questions,
                             request.setFilePath, false, ScormAdapterText(request.version, request.passMark)};
        if (const FlowWritten written = ExportFlowTest(web, lang); !written.error.empty()) {
            result.error = written.error;
            return result;
        }
    }
    // The start page stays out of the package: the platform opens the frameset itself.
    const std::string startPage = work.path() + "test.htm";
    WebExport web{startPage, request.testName, request.testDetails, request.language, request.seed, {}};
    web.platformScript = ScormScriptText(request.version, request.passMark);
    web.scratch = true;  // read back into the package, which is forced onto the disk
    if (const WrittenTest written = flow ? WrittenTest{} : ExportWebTest(web, lists, lang, ui); !written.error.empty()) {
        result.error = written.error;
        return result;
    }

    const QString folder = toQString(flow ? work.path() : TestFolder(startPage));
    const char* launchPage = flow ? kScormFlowLaunchPage : kScormLaunchPage;
    result.files = filesBelow(folder);
    if (std::find(result.files.begin(), result.files.end(), launchPage) == result.files.end()) {
        result.error = "the web test was not written";
        return result;
    }

    ScormManifestInput manifest;
    manifest.version = request.version;
    manifest.identifier = "DORVEL-" + QUuid::createUuid().toString(QUuid::WithoutBraces).toStdString();
    manifest.title = request.testName;
    manifest.launchPage = launchPage;
    manifest.files = result.files;
    manifest.passMark = request.passMark;

    ZipWriter zip(request.zipPath);
    zip.addBytes("imsmanifest.xml", ScormManifestText(manifest));
    for (const std::string& file : result.files)
        zip.addFile(file, fromQString(folder) + file);
    if (!zip.finish()) {
        result.error = zip.error();
        return result;
    }
    result.written = true;
    return result;
}

}  // namespace dorvel
