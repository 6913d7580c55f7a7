#pragma once

#include "exchange/QuestionReaders.h"

#include <optional>
#include <string>
#include <vector>

namespace dorvel {
class LangStrings;
}

// Importing a question file, shared by the command line and the editor.
namespace dorvel::exchange {

// Reads the file at `path` in `format` (when not given, guessed from the
// file's extension, then its content). A file that is not a regular file,
// cannot be read or is larger than the limit is refused before anything is
// read of it.
ImportResult ImportQuestionFile(const std::string& path, std::optional<Format> format);

// Why a whole file was refused, in the author's language.
std::string ImportErrorText(const ImportResult& result, const LangStrings& lang);
// "Question 3 (Capitals): reason", for the list of what was not imported.
std::string SkippedText(const Skipped& skipped, const LangStrings& lang);

// "Question 3 (Capitals): the picture map.png was left out: ...", for a part
// of an imported question that did not come in.
std::string LeftOutText(const LeftOut& leftOut, const LangStrings& lang);

// A language text with "%1" to "%3" filled in.
std::string FilledText(std::string text, const std::string& a, const std::string& b = {}, const std::string& c = {});

// Where the sets of an import go: OUT.vtd, then OUT-2.vtd, OUT-3.vtd, ...
std::string ImportedSetPath(const std::string& out, int index);

}  // namespace dorvel::exchange
