#pragma once

#include "exchange/QuestionWriters.h"

#include <string>
#include <vector>

namespace dorvel {
class LangStrings;
struct OpenSet;
}

namespace dorvel::exchange {

struct ExportOutcome {
    bool written = false;
    std::string error;               // why nothing was written
    std::vector<std::string> notes;  // questions left out (switched off), in the author's language
};

// Writes the set's questions that are switched on to `path` in `format`;
// the category (Moodle XML, GIFT) and the test's title (QTI) are the set's
// test name, or its file's name. A set with nothing to export writes nothing.
ExportOutcome ExportSetQuestions(const OpenSet& set, const std::string& path, ExportFormat format,
                                 const LangStrings& lang);

}  // namespace dorvel::exchange
