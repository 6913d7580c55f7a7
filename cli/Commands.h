#pragma once

#include <string>
#include <vector>

namespace dorvel {
class LangStrings;
}

// The subcommands of dorvel-cli. Each takes the words after its own name and
// returns the exit status: 0 done, 1 failed (message on standard error),
// 2 wrong usage.
namespace dorvel::cli {

using Args = std::vector<std::string>;

struct Context {
    const LangStrings& lang;
    std::string language = "English (UK)";  // the pack `lang` came from
};

int runUnpack(const Args& args, Context& context);
int runPack(const Args& args, Context& context);
int runShow(const Args& args, Context& context);
int runExpand(const Args& args, Context& context);
int runBuild(const Args& args, Context& context);
int runBank(const Args& args, Context& context);
int runWebFixture(const Args& args, Context& context);
int runExport(const Args& args, Context& context);
int runServe(const Args& args, Context& context);
int runClass(const Args& args, Context& context);
int runPaper(const Args& args, Context& context);
int runMedia(const Args& args, Context& context);
int runImport(const Args& args, Context& context);
int runConvert(const Args& args, Context& context);

// Prints to standard error and returns 1.
int fail(const std::string& message);

// A stored value as it is printed: decoded to UTF-8, control characters
// (line breaks too) written visibly (cli/VisibleText.h).
std::string ShownText(const std::string& stored);

}  // namespace dorvel::cli
