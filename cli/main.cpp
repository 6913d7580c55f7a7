#include "cli/Commands.h"
#include "languages/LangStrings.h"
#include "languages/LanguagePack.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <memory>
#include <cstring>
#include <string>

namespace {

using dorvel::cli::Args;
using dorvel::cli::Context;

struct Command {
    const char* name;
    const char* usage;
    int (*run)(const Args&, Context&);
};

const Command kCommands[] = {
    {"unpack", "unpack FILE                print the plain text of a stored file", dorvel::cli::runUnpack},
    {"pack", "pack FILE [INPUT...]       write standard input (or the inputs) as a stored file", dorvel::cli::runPack},
    {"show", "show SET.vtd               print a set's test details and questions", dorvel::cli::runShow},
    {"expand", "expand SET.vtd [N]         print the question files the templates make of a set (or question N)", dorvel::cli::runExpand},
    {"media", "media SET.vtd N [--picture FILE] [--sound FILE] [--no-picture] [--no-sound]  a question's picture and sound\n"
              "                              [--description TEXT]: what its picture shows, for students who cannot see it",
     dorvel::cli::runMedia},
    {"build", "build SET.vtd BANK.vtb     build a question bank (missing media on standard error)", dorvel::cli::runBuild},
    {"bank", "bank BANK.vtb [--extract DIR]  list what a bank holds, or also write its files into DIR", dorvel::cli::runBank},
    {"export", "export SET.vtd START.htm [--single-file] [--layout flow|classic]    write the web test of a set (flowing pages, or the classic ones), or one file holding it all\n"
               "                              (missing media on standard error); with OUT.zip --scorm 1.2|2004 [--pass-mark P] an LMS package",
     dorvel::cli::runExport},
    {"paper", "paper SET.vtd OUT.pdf [--key] [--paper a4|letter]  print a set as a test on paper (PDF), or its answer key", dorvel::cli::runPaper},
    {"serve", "serve START.htm [--port N] [--open]  serve a web test on 127.0.0.1 and print its address", dorvel::cli::runServe},
    {"class", "class SET.vtd [--port N] [--db FILE|postgresql://...] [--host ADDR|lan]  run the test in class: serve it,\n"
              "                              keep every answer, print the address, the class code and a live table",
     dorvel::cli::runClass},
    {"import", "import FILE OUT.vtd [--format gift|aiken|moodlexml] [--one-set]  questions from GIFT, Aiken or Moodle XML into sets\n"
               "                              (OUT.vtd, OUT-2.vtd, ... 100 questions each, a set for each category unless --one-set;\n"
               "                              what was left out on standard error)",
     dorvel::cli::runImport},
    {"convert", "convert SET.vtd OUT.xml|OUT.gift|OUT.zip  the set's questions as Moodle XML, GIFT or an IMS QTI 2.1 package", dorvel::cli::runConvert},
    {"webtest-fixture", "webtest-fixture FIXTURE START.htm [SEED]  web test from question files (browser tests)", dorvel::cli::runWebFixture},
};

int usage()
{
    std::fputs("usage: dorvel-cli [--lang NAME] COMMAND ARGS...\ncommands:\n", stderr);
    for (const Command& c : kCommands)
        std::fprintf(stderr, "  %s\n", c.usage);
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    Args words(argv + 1, argv + argc);
    // Printing lays out text, which needs fonts and so a GUI application;
    // with no display it draws offscreen.
    const std::size_t commandAt = (words.size() >= 2 && words[0] == "--lang") ? 2 : 0;
    const bool needsFonts = words.size() > commandAt && words[commandAt] == "paper";
    if (needsFonts && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> app = needsFonts ? std::make_unique<QGuiApplication>(argc, argv)
                                                       : std::make_unique<QCoreApplication>(argc, argv);
    std::string language = "English (UK)";
    bool explicitLanguage = false;
    if (words.size() >= 2 && words[0] == "--lang") {
        explicitLanguage = true;
        language = words[1];
        words.erase(words.begin(), words.begin() + 2);
    }
    if (words.empty())
        return usage();

    dorvel::LangStrings lang;
    // A pack named on the command line must be there: without it every
    // message and every exported text would be empty.
    if (!dorvel::LoadLanguageStrings(lang, language) && explicitLanguage) {
        std::fprintf(stderr, "dorvel-cli: no language pack \"%s\" is installed; installed:", language.c_str());
        for (const std::string& name : dorvel::FindLanguagePackNames())
            std::fprintf(stderr, " \"%s\"", name.c_str());
        std::fputs("\n", stderr);
        return 2;
    }
    Context context{lang, language};

    const std::string name = words.front();
    words.erase(words.begin());
    for (const Command& c : kCommands) {
        if (name == c.name)
            return c.run(words, context);
    }
    return usage();
}
