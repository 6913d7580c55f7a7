// "media": the picture, its description and the sound of a set's question,
// as the editor's Picture, Description and Sound controls set them.
#include "cli/Commands.h"

#include "cli/ConsoleUserInterface.h"
#include "editor/QuestionMediaEditing.h"
#include "editor/Workspace.h"
#include "media/QuestionMedia.h"
#include "storage/FileUtils.h"

#include <charconv>
#include <cstdio>
#include <optional>

namespace dorvel::cli {

namespace {

int mediaUsage()
{
    std::fputs("usage: dorvel-cli media SET.vtd N [--picture FILE] [--sound FILE] [--no-picture] [--no-sound]\n"
               "                                [--description TEXT]\n"
               "       --description: what the picture shows, for students who cannot see it (\"\" for none)\n"
               "       without options: print the question's picture, its description and sound\n",
               stderr);
    return 2;
}

void printMedia(Workspace& workspace, const char* label, MediaKind kind)
{
    const std::string named = NamedQuestionMedia(
        workspace.current()->questionSlots[static_cast<std::size_t>(workspace.currentQuestion())], kind);
    const std::string found = CurrentQuestionMedia(workspace, kind);
    if (named.empty() && found.empty())
        std::printf("%s: none\n", label);
    else if (found.empty())
        std::printf("%s: %s (missing)\n", label, named.c_str());
    else
        std::printf("%s: %s\n", label, found.c_str());
}

}  // namespace

int runMedia(const Args& args, Context& context)
{
    if (args.size() < 2)
        return mediaUsage();
    int n = 0;
    const std::string& number = args[1];
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), n);
    if (ec != std::errc() || end != number.data() + number.size())
        return mediaUsage();

    ConsoleUserInterface ui;
    Workspace workspace(ui, context.lang);
    if (!FileExists(args[0]))
        return fail("no such file: " + args[0]);
    if (!workspace.OpenSetFile(args[0]))
        return 1;  // the workspace said why
    if (n < 1 || n > workspace.current()->questionCount())
        return fail("the set has no question " + number);
    workspace.TestTreeChange(workspace.currentSet(), n);

    bool changes = false;
    // Described after the files are taken, so that the options' order does
    // not matter.
    std::optional<std::string> description;
    for (std::size_t i = 2; i < args.size(); ++i) {
        const std::string& option = args[i];
        const bool takesFile = option == "--picture" || option == "--sound";
        if ((takesFile || option == "--description") && i + 1 >= args.size())
            return mediaUsage();
        if (option == "--description") {
            description = args[++i];
            continue;
        }
        const MediaKind kind = option == "--picture" || option == "--no-picture" ? MediaKind::Picture : MediaKind::Sound;
        if (takesFile) {
            if (!TakeQuestionMedia(workspace, ui, context.lang, kind, args[++i]))
                return 1;
        } else if (option == "--no-picture" || option == "--no-sound") {
            RemoveQuestionMedia(workspace, kind);
        } else {
            return mediaUsage();
        }
        changes = true;
    }
    if (description) {
        if (!DescribeQuestionPicture(workspace, *description))
            return fail("question " + number + " has no picture to describe");
        changes = true;
    }
    if (changes && workspace.current()->hasUnsavedChanges() && !workspace.SaveSet(workspace.currentSet()))
        return 1;
    printMedia(workspace, "picture", MediaKind::Picture);
    const std::string described = QuestionPictureDescription(
        workspace.current()->questionSlots[static_cast<std::size_t>(workspace.currentQuestion())]);
    std::printf("description: %s\n", described.empty() ? "none" : described.c_str());
    printMedia(workspace, "sound", MediaKind::Sound);
    return 0;
}

}  // namespace dorvel::cli
