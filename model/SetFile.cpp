#include "model/SetFile.h"

#include "model/OpenSet.h"
#include "model/SetFields.h"
#include "storage/Vtutils.h"

#include <cstdio>

namespace dorvel {

SetFileStatus ReadSetFile(const std::string& path, OpenSet& set, std::string* readError)
{
    for (auto& slot : set.questionSlots)
        slot.clear();
    set.testDetails.clear();
    std::string error;
    const std::string text = ReadStoredFile(path, error);
    if (!error.empty()) {
        if (readError)
            *readError = error;
        return SetFileStatus::Unreadable;
    }
    set.testDetails = GetTag(text, "vtDorvel");
    // Anything that unscrambles to no set record (a plain file under the set
    // extension, a damaged file, another kind of file) is refused, so an
    // entry never shows a set that is not there.
    if (set.testDetails.empty()) {
        set.testDetails.clear();
        return SetFileStatus::NotASet;
    }
    if (GetTagInt(set.testDetails, setfield::kVersion, 1) > 1) {
        set.testDetails.clear();
        return SetFileStatus::LaterVersion;
    }
    for (int n = 0; n <= kMaxQuestions; ++n) {
        std::string q = GetTag(set.testDetails, "question" + std::to_string(n));
        if (q.empty())
            break;
        set.questionSlots[static_cast<std::size_t>(n)] = std::move(q);
    }
    return SetFileStatus::Ok;
}

namespace {

const char* const kDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
const char* const kMonths[] = {"January", "February", "March", "April", "May", "June", "July",
                               "August", "September", "October", "November", "December"};

}  // namespace

std::string CreationDate(const std::tm& t)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d%02d%02d%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday,
                  t.tm_hour, t.tm_min, t.tm_sec);
    return buf;
}

std::string CreationDisplayDate(const std::tm& t)
{
    int hour = t.tm_hour % 12;
    if (hour == 0)
        hour = 12;
    char buf[96];
    std::snprintf(buf, sizeof buf, "%d:%02d %s, %s %d %s, %04d", hour, t.tm_min, t.tm_hour < 12 ? "am" : "pm",
                  kDays[t.tm_wday % 7], t.tm_mday, kMonths[t.tm_mon % 12], t.tm_year + 1900);
    return buf;
}

std::string PrepareSetFileText(OpenSet& set, std::time_t now)
{
    std::string questions;
    for (int n = 0; n <= kMaxQuestions; ++n) {
        const std::string& slot = set.questionSlots[static_cast<std::size_t>(n)];
        if (slot.empty())
            break;
        const std::string name = "question" + std::to_string(n);
        questions += "<" + name + ">" + slot + "</" + name + ">";
    }
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    set.testDetails = SetTag(set.testDetails, setfield::kQuestionFiles, questions);
    set.testDetails = SetTag(set.testDetails, setfield::kCreationDate, CreationDate(local));
    set.testDetails = SetTag(set.testDetails, "creationDisplayDate", CreationDisplayDate(local));
    return "<vtDorvel>" + set.testDetails + "</vtDorvel>";
}

}  // namespace dorvel
