#include "cli/Commands.h"

#include "cli/VisibleText.h"
#include "model/SetFields.h"

#include "building/ExpandSet.h"
#include "model/DefaultRecords.h"
#include "model/OpenSet.h"
#include "model/PassMark.h"
#include "model/SetFile.h"
#include "storage/FileUtils.h"
#include "storage/TextCodec.h"
#include "storage/Vtutils.h"

#include <cstdio>
#include <iostream>
#include <iterator>
#include <string>

namespace dorvel::cli {

int fail(const std::string& message)
{
    std::fprintf(stderr, "dorvel-cli: %s\n", message.c_str());
    return 1;
}

std::string ShownText(const std::string& stored)
{
    return VisibleText(DecodeText(stored));
}

int runUnpack(const Args& args, Context&)
{
    if (args.size() != 1) {
        std::fputs("usage: dorvel-cli unpack FILE\n", stderr);
        return 2;
    }
    std::string error;
    const std::string text = ReadStoredFile(args[0], error);
    if (!error.empty())
        return fail("cannot read " + args[0] + ": " + error);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}

int runPack(const Args& args, Context&)
{
    if (args.empty()) {
        std::fputs("usage: dorvel-cli pack FILE [INPUT...]\n", stderr);
        return 2;
    }
    std::string text;
    if (args.size() == 1) {
        text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    } else {
        for (std::size_t i = 1; i < args.size(); ++i) {
            std::string part;
            if (!ReadFileBytes(args[i], part))
                return fail("cannot read " + args[i]);
            // Joined sources stay separate lines even when one lacks a final line break.
            if (!text.empty() && text.back() != '\n' && text.back() != '\r')
                text += "\r\n";
            text += part;
        }
    }
    if (std::string error; !WriteStoredFile(args[0], text, &error))
        return fail("cannot write " + args[0] + ": " + error);
    return 0;
}

namespace {

const char* const kTypeNames[] = {
    "Multiple Choice, 2 Choices",
    "Multiple Choice, 3 Choices",
    "Multiple Choice, 4 Choices",
    "True/False, 1 Button",
    "True/False, 2 Buttons",
    "True/False, 3 Buttons",
    "True/False, 4 Buttons",
    "Text, 1 Field",
    "Text, 2 Fields",
    "Text, 3 Fields",
    "Text, 4 Fields",
};

std::string shownName(const std::string& value)
{
    return value == "0" ? std::string() : ShownText(value);
}

}  // namespace

int runShow(const Args& args, Context&)
{
    if (args.size() != 1) {
        std::fputs("usage: dorvel-cli show SET.vtd\n", stderr);
        return 2;
    }
    if (!FileExists(args[0]))
        return fail("no such file: " + args[0]);
    // A device, FIFO or huge file is refused before anything is read.
    if (std::string error; ReadStoredFile(args[0], error).empty() && !error.empty())
        return fail("cannot read " + args[0] + ": " + error);
    OpenSet set;
    std::string readError;
    const SetFileStatus status = ReadSetFile(args[0], set, &readError);
    if (status == SetFileStatus::Unreadable)
        return fail("cannot read " + args[0] + " (" + readError + ")");
    if (status == SetFileStatus::NotASet)
        return fail(args[0] + " is not a Dorvel set file");
    if (status == SetFileStatus::LaterVersion)
        return fail(args[0] + " was made by a later version of Dorvel");
    const std::string& d = set.testDetails;
    std::printf("Test name: %s\n", shownName(GetTag(d, setfield::kTestName)).c_str());
    std::printf("Examiner: %s\n", shownName(GetTag(d, setfield::kExaminerName)).c_str());
    // An imported or hand-made set may name a style that is not installed,
    // or none; say which one its export will use instead.
    const std::string style = GetTag(d, setfield::kGraphicStyle);
    const std::string used = StyleUsedFor(d);
    std::string shownStyle = style.empty() ? "none" : ShownText(style);
    if (used != style)
        shownStyle += std::string(style.empty() ? " (" : " (not installed; ")
            + (used.empty() ? "no style is installed)" : "exports use " + ShownText(used) + ")");
    std::printf("Style: %s\n", shownStyle.c_str());
    std::printf("Options: allowCheating=%d allowPrinting=%d allowFinishedQuestionViewing=%d\n",
                GetTagInt(d, setfield::kAllowCheating, 0), GetTagInt(d, setfield::kAllowPrinting, 1),
                GetTagInt(d, setfield::kAllowFinishedQuestionViewing, 1));
    std::printf("Student's name asked: %s\n", AsksStudentName(d) ? "yes" : "no");
    const int passMark = PassMarkOf(d);
    std::printf("Pass mark: %s\n", passMark ? (std::to_string(passMark) + " %").c_str() : "none");
    const int count = set.questionCount();
    std::printf("Questions: %d\n", count);
    for (int n = 1; n <= count; ++n) {
        const std::string& q = set.questionSlots[static_cast<std::size_t>(n)];
        const int type = GetTagInt(q, setfield::kQuestionType, 2);
        const char* typeName = (type >= 0 && type <= 10) ? kTypeNames[type] : "unknown type";
        const bool disabled = GetTagInt(q, setfield::kQuestionDisabled, 0) == 1;
        std::printf("%d\t%s\t%s\t%s\n", n, typeName, disabled ? "disabled" : "enabled",
                    ShownText(GetTag(q, setfield::kQuestionText)).c_str());
    }
    return 0;
}

}  // namespace dorvel::cli
