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

ImportResult ReadGift(std::string_view bytes);
ImportResult ReadAiken(std::string_view bytes);
ImportResult ReadMoodleXml(std::string_view bytes);

// The format the content looks like: "<?xml", "<quiz" or a comment first is
// Moodle XML; lines "A. ..."
// followed by "ANSWER: X" are Aiken; anything else is tried as GIFT.
Format GuessFormat(std::string_view bytes);
// "gift", "aiken", "moodlexml" (any case); nothing for another name.
std::optional<Format> FormatNamed(std::string_view name);

// Reads with the given reader, after the size checks every reader shares.
ImportResult ReadQuestions(std::string_view bytes, Format format);

}  // namespace dorvel::exchange
