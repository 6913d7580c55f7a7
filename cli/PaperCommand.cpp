// "paper" prints a set as a test on paper (a PDF file), or its answer key.
#include "cli/Commands.h"

#include "editor/OpenSet.h"
#include "editor/SetFile.h"
#include "paper/PaperWriter.h"

#include <QPageSize>

#include <cstdio>
#include <memory>

namespace dorvel::cli {

int runPaper(const Args& args, Context& context)
{
    Args files;
    PaperOptions options;
    QPageSize size = LocalePaperSize();
    bool usage = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--key") {
            options.answerKey = true;
        } else if (args[i] == "--paper" && i + 1 < args.size()) {
            const std::string name = args[++i];
            if (name == "a4" || name == "A4")
                size = QPageSize(QPageSize::A4);
            else if (name == "letter" || name == "Letter")
                size = QPageSize(QPageSize::Letter);
            else
                return fail("not a paper size (a4 or letter): " + name);
        } else if (args[i].rfind("--", 0) == 0) {
            usage = true;
        } else {
            files.push_back(args[i]);
        }
    }
    if (usage || files.size() != 2) {
        std::fputs("usage: dorvel-cli paper SET.vtd OUT.pdf [--key] [--paper a4|letter]\n", stderr);
        return 2;
    }
    auto set = std::make_unique<OpenSet>();
    if (ReadSetFile(files[0], *set) != SetFileStatus::Ok)
        return fail("cannot read the set " + files[0]);
    set->filePath = files[0];

    PaperResult result;
    std::string error;
    if (!WritePaperPdf(*set, context.lang, files[1], size, options, result, error))
        return fail("cannot write " + files[1] + ": " + error);
    for (const PaperPictureProblem& problem : result.pictureProblems)
        std::fprintf(stderr, "dorvel-cli: %s\n", PaperPictureProblemText(problem, context.lang).c_str());
    std::printf("%d question%s on %d page%s\n", result.questions, result.questions == 1 ? "" : "s", result.pages,
                result.pages == 1 ? "" : "s");
    return 0;
}

}  // namespace dorvel::cli
