// Run once, on 10 December 2026, to make the frozen files in this folder (see
// README.md). It is kept as the record of how they were made, not built: the
// files must never be made again, or they would stop guarding anything.
//
//   make-frozen set FOLDER          writes FOLDER/set.vtd (the editor's save:
//                                   PrepareSetFileText, then WriteStoredFile)
//                                   and FOLDER/set.txt (its plain text)
//   make-frozen seed KIND FILE PLAIN [BYTES]
//                                   prints the clock second that packing PLAIN
//                                   as KIND gives the first BYTES bytes of FILE
#include "model/DefaultRecords.h"
#include "model/OpenSet.h"
#include "model/SetFile.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"

#include <sys/stat.h>

#include <cstdio>
#include <ctime>
#include <string>

using namespace dorvel;

namespace {

std::string question(int qType, std::initializer_list<std::pair<const char*, std::string>> fields)
{
    std::string q = SetTag(DefaultQuestionRecord(), "qType", std::to_string(qType));
    for (const auto& [name, value] : fields)
        q = SetTag(q, name, value);
    return q;
}

// Every byte a value can hold in a file written before: all but zero (where
// reading stops) and '<' (which would start a tag).
std::string everyByte()
{
    std::string s;
    for (int c = 1; c < 256; ++c)
        if (c != '<')
            s += static_cast<char>(c);
    return s;
}

std::string longText(std::size_t length)
{
    const std::string words = "The longest value a teacher types: \"quotes\", O'Brien's \xA3"
                              "5, caf\xE9 & na\xEFve. ";
    std::string s;
    while (s.size() < length)
        s += words;
    s.resize(length);
    return s;
}

int makeSet(const std::string& folder)
{
    OpenSet set;
    set.testDetails = DefaultTestDetails();
    set.testDetails = SetTag(set.testDetails, "TestName", longText(200));
    set.testDetails = SetTag(set.testDetails, "ExaminerName", "Mrs O'Neill \"the Examiner\" \xA3 M\xFCller &#233;");
    set.testDetails = SetTag(set.testDetails, "vtCategories", "Geography\r\nHistory\r\nCaf\xE9 &#8364;");
    set.questionSlots[0] = DefaultQuestionRecord();
    set.questionSlots[1] = question(2, {{"Title", "Which river \"flows\" through Vienna?\r\nChoose one: \xA3 caf\xE9 \xFF &#233; &#8364; &#x41;"}, {"Text1", "Rhine"}, {"Text2", "Danube"}, {"Text3", "Se\xF1"
                                                                                                                                                                                                      "a & \"Thames\""},
                                        {"Text4", "O'Neill's \xA3"
                                                  "1"},
                                        {"SelectAnswer", "1"}});
    set.questionSlots[2] = question(4, {{"Title", "True or false?\nLine feed only\ttab"}, {"Text1", "Paris is in France"}, {"Text2", "\xC4pfel are \xBD price"}, {"tf1", "0"}, {"tf2", "1"}});
    set.questionSlots[3] = question(8, {{"Title", "Type the words"}, {"Text1", "Dessert"}, {"Text2", "Price"}, {"tType1", "0"}, {"a10", "cr\xE8me br\xFBl\xE9"
                                                                                                                                        "e"},
                                        {"a11", "&#233;clair"},
                                        {"tType2", "1"},
                                        {"a20", "\xA3"
                                                "10"},
                                        {"a21", "10 pounds"}});
    set.questionSlots[4] = question(0, {{"Title", longText(5000)}, {"Text1", everyByte()}, {"Text2", "No"}, {"SelectAnswer", "0"}});
    // Noon on the day they were made, so the dates in the record are fixed.
    std::tm noon{};
    noon.tm_year = 2026 - 1900;
    noon.tm_mon = 11;
    noon.tm_mday = 10;
    noon.tm_hour = 12;
    noon.tm_isdst = -1;
    const std::string text = PrepareSetFileText(set, std::mktime(&noon));
    const std::time_t before = std::time(nullptr);
    if (!WriteStoredFile(folder + "/set.vtd", text) || !WriteFileBytes(folder + "/set.txt", text))
        return 1;
    std::printf("set.vtd written between %lld and %lld\n", static_cast<long long>(before),
                static_cast<long long>(std::time(nullptr)));
    return 0;
}

int findSeed(int kind, const std::string& file, const std::string& plainFile, std::size_t bytes)
{
    std::string stored;
    std::string plain;
    if (!ReadFileBytes(file, stored) || !ReadFileBytes(plainFile, plain))
        return 1;
    if (bytes > 0)
        stored.resize(bytes);
    struct stat st {};
    ::stat(file.c_str(), &st);
    for (long long s = st.st_mtime - 30; s <= st.st_mtime + 5; ++s) {
        if (ScrambleTextSeeded(plain, kind, static_cast<unsigned>(s)) == stored) {
            std::printf("%lld\n", s);
            return 0;
        }
    }
    std::fprintf(stderr, "no second matches\n");
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "set" && argc == 3)
        return makeSet(argv[2]);
    if (mode == "seed" && (argc == 5 || argc == 6))
        return findSeed(std::stoi(argv[2]), argv[3], argv[4], argc == 6 ? std::stoul(argv[5]) : 0);
    std::fprintf(stderr, "usage: make-frozen set FOLDER | seed KIND FILE PLAIN [BYTES]\n");
    return 2;
}
