// "export" writes the web test of a set without asking anything, as a start
// page with its folder or as one file; "serve" serves a written test on the
// loopback interface for those who want a web address.
#include "cli/Commands.h"

#include "bank/ExportLists.h"
#include "building/ExpandSet.h"
#include "export/CreateWebPages.h"
#include "languages/LangStrings.h"
#include "lms/ScormPackage.h"
#include "model/OpenSet.h"
#include "model/PassMark.h"
#include "model/SetFile.h"
#include "platform/UserInterface.h"
#include "server/TestServer.h"
#include "storage/FileUtils.h"

#include <QCoreApplication>
#include <QProcess>
#include <QString>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

namespace dorvel::cli {

namespace {

// Nobody to ask: messages go to standard error, questions get their first answer.
class ConsoleUserInterface : public UserInterface {
public:
    void showMessage(const std::string& text, Tone) override { std::fprintf(stderr, "dorvel-cli: %s\n", text.c_str()); }
    Answer ask(const std::string&, Buttons, Tone) override { return Answer::Yes; }
    std::vector<std::string> chooseOpenFiles(const FileDialog&) override { return {}; }
    std::optional<std::string> chooseSaveFile(const FileDialog&) override { return std::nullopt; }
};

}  // namespace

int runExport(const Args& args, Context& context)
{
    Args files;
    std::optional<ScormVersion> scorm;
    std::optional<int> passMark;
    bool singleFile = false;
    bool usage = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--scorm" && i + 1 < args.size()) {
            scorm = ScormVersionNamed(args[++i]);
            if (!scorm)
                return fail("not a SCORM version (1.2 or 2004): " + args[i]);
        } else if (args[i] == "--pass-mark" && i + 1 < args.size()) {
            passMark = ParsePassMark(args[++i]);
            if (!passMark)
                return fail("not a pass mark (a percentage from 0 to 100): " + args[i]);
        } else if (args[i] == "--single-file") {
            singleFile = true;
        } else if (args[i].rfind("--", 0) == 0) {
            usage = true;
        } else {
            files.push_back(args[i]);
        }
    }
    if (usage || files.size() != 2 || (passMark && !scorm) || (singleFile && scorm)) {
        std::fputs("usage: dorvel-cli export SET.vtd START.htm [--single-file]\n"
                   "       dorvel-cli export SET.vtd PACKAGE.zip --scorm 1.2|2004 [--pass-mark P]\n",
                   stderr);
        return 2;
    }
    auto set = std::make_unique<OpenSet>();
    if (ReadSetFile(files[0], *set) != SetFileStatus::Ok)
        return fail("cannot read the set " + files[0]);
    set->filePath = files[0];

    ConsoleUserInterface ui;
    ExportLists& lists = TheExportLists();
    const std::string status = ExpandSet(*set, ui, context.lang, lists, 0);
    if (status == kTemplateFileProblem)
        return fail("the set's question templates are missing or unusable");
    for (const std::string& missing : lists.missingFiles)
        std::fprintf(stderr, "dorvel-cli: missing media file: %s\n", missing.c_str());

    const std::string testName = WebTestName(set->testDetails, set->filePath);
    if (scorm) {
        ScormExport request{files[1], *scorm, passMark ? *passMark : PassMarkOf(set->testDetails), testName,
                            set->testDetails, context.language, ClockSeed()};
        const ScormResult written = WriteScormPackage(request, lists, context.lang, ui);
        if (!written.written)
            return fail("cannot write the package " + files[1] + ": " + written.error);
        std::printf("%s\n", files[1].c_str());
        return 0;
    }
    const std::string startPage = ChangeFileExt(files[1], ".htm");
    const WebExport request{startPage, testName, set->testDetails, context.language, ClockSeed(), {}};
    if (!singleFile) {
        if (const WrittenTest written = ExportWebTest(request, lists, context.lang, ui); !written.error.empty())
            return fail("the web test was not written: " + written.error);
        std::printf("%s\n", startPage.c_str());
        return 0;
    }
    const SingleFileTest single = ExportSingleFileTest(request, lists, context.lang, ui);
    if (!single.written)
        return fail("the web test was not written: " + single.error);
    std::printf("%s (%s)\n", startPage.c_str(), SizeText(single.bytes).c_str());
    if (single.bytes > kMailSizeLimit)
        std::fprintf(stderr, "dorvel-cli: %s\n", context.lang.at(Message::FileTooLargeForMail).c_str());
    return 0;
}

int runServe(const Args& args, Context&)
{
    std::string startPage;
    int port = 0;
    bool open = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--open") {
            open = true;
        } else if (args[i] == "--port" && i + 1 < args.size()) {
            bool ok = false;
            port = QString::fromStdString(args[++i]).toInt(&ok);
            if (!ok || port < 0 || port > 65535)
                return fail("not a port: " + args[i]);
        } else if (startPage.empty()) {
            startPage = args[i];
        } else {
            startPage.clear();
            break;
        }
    }
    if (startPage.empty()) {
        std::fputs("usage: dorvel-cli serve START.htm [--port N] [--open]\n", stderr);
        return 2;
    }
    if (!FileExists(startPage))
        return fail("no start page " + startPage);

    TestServer server;
    if (!server.start(static_cast<std::uint16_t>(port)))
        return fail("cannot serve on 127.0.0.1" + (port ? ":" + std::to_string(port) : std::string()));
    const std::string address = server.publish(startPage);
    if (address.empty())
        return fail("cannot serve " + startPage);
    std::printf("%s\n", address.c_str());
    std::fflush(stdout);
    if (open && !QProcess::startDetached(QStringLiteral("xdg-open"), {QString::fromStdString(address)}))
        std::fprintf(stderr, "dorvel-cli: cannot start a browser; open %s\n", address.c_str());
    return QCoreApplication::exec();
}

}  // namespace dorvel::cli
