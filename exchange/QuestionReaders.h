#pragma once

#include "exchange/ExchangeQuestion.h"

#include <optional>
#include <string>
#include <string_view>

// Readers of the question formats other programs write. Each takes the
// file's bytes whole (UTF-8, with or without a byte-order mark, any line
// ends) and never fails as a whole except for the reasons ImportResult::error
// names; a question that does not map is listed in `skipped`.
namespace dorvel::exchange {

enum class Format { Gift,
                    Aiken,
                    MoodleXml };

// `folder`: the GIFT file's folder, whose pictures its [html] texts may show
// ("" when the bytes came from no file: then no picture comes).
ImportResult ReadGift(std::string_view bytes, const std::string& folder = {});
ImportResult ReadAiken(std::string_view bytes);
ImportResult ReadMoodleXml(std::string_view bytes);

// The format the content looks like: a declaration, processing instruction,
// comment, document type or <quiz> first is Moodle XML (in UTF-8 or UTF-16);
// a choice line "A. ..." followed by "ANSWER: X", and no braces, is Aiken
// (any line ends); anything else is tried as GIFT.
Format GuessFormat(std::string_view bytes);
// The format of a file the user named without saying its format: its
// extension first (".xml" Moodle XML, ".gift" GIFT, ".txt" Aiken when it has
// Aiken's shape, even with braces in a text), then its content.
Format GuessFileFormat(std::string_view fileName, std::string_view bytes);
// The text of a UTF-16 or UTF-32 file (its byte-order mark, or the zero
// bytes around a first "<", says so) as UTF-8 without the mark; nothing for
// any other file.
std::optional<std::string> Utf8OfWideText(std::string_view bytes);
// "gift", "aiken", "moodlexml" (any case); nothing for another name.
std::optional<Format> FormatNamed(std::string_view name);

// Reads with the given reader, after the size checks every reader shares.
ImportResult ReadQuestions(std::string_view bytes, Format format, const std::string& folder = {});

}  // namespace dorvel::exchange
