#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The flowing web test: one page that runs the whole test in itself
// (export/web/flow/), made for phones, tablets and desktops alike. The
// writer turns a set's questions into test.js (window.DorvelTest) and
// writes the page, its scripts, its theme and the questions' media.
namespace dorvel {

class LangStrings;

// Which pages a web export writes: the flowing pages, or the classic pages
// made from the style's question templates.
enum class WebLayout { Flow,
                       Classic };

struct FlowExport {
    std::string startPage;  // the page to write; its folder "<name>res" goes beside it
    std::string testName;
    std::string testDetails;
    std::vector<std::string> questions;  // the set's records, question 1 first
    std::string setFilePath;             // where the questions' media are found from
    bool singleFile = false;             // everything inside the page, media as data addresses
    // A script that listens to the engine (an adapter such as a learning
    // platform's link), loaded before the engine; empty for none.
    std::string adapterScript;
};

struct FlowWritten {
    std::string error;       // empty when the test was written
    std::int64_t bytes = 0;  // the single file's size
    std::vector<std::string> missingMedia;
};

// The media file of a question as the page names it and where it is read from.
struct FlowMedia {
    std::string name;  // the address in the page ("media/q3.png"), or a data address in one file
    std::string path;  // the file on the disk
};

// The test's data, as the classic script test.js (UTF-8).
std::string FlowTestScript(const FlowExport& request, const LangStrings& lang, std::vector<FlowMedia>* media,
                           std::vector<std::string>* missing);

// Writes the test: the start page and its folder, or the single file.
FlowWritten ExportFlowTest(const FlowExport& request, const LangStrings& lang);

// The numbers of the questions the classic pages cannot show (a kind of its
// own, more than four choices, several right): the export makes the
// flowing pages for a set holding one.
std::vector<int> QuestionsClassicCannotShow(const std::vector<std::string>& questions);

// The theme of the flowing pages for a set: its graphic style when that is
// one of the shipped ones (chalkboard, notebook, seaside), else chalkboard.
std::string FlowThemeOf(const std::string& testDetails);

}  // namespace dorvel
