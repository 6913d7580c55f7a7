#pragma once

#include "exchange/ExchangeQuestion.h"

#include <optional>
#include <string>
#include <vector>

class QIODevice;

// Writers of the question formats other programs read. A question of ours
// that a format has no single form for becomes its nearest exact form:
// true/false with several statements one question per statement
// (SingleStatementQuestions); several answer fields a cloze question in
// Moodle XML, one question per field in GIFT, one item with several text
// entries in QTI.
namespace dorvel::exchange {

enum class ExportFormat { MoodleXml,
                          Gift,
                          QtiPackage };

// By the file's extension: .xml, .gift (or .txt), .zip; nothing otherwise.
std::optional<ExportFormat> ExportFormatOf(const std::string& path);

struct ExportQuestion {
    int number = 0;  // in the set, for names made up when a question has none
    Question question;
    std::string picture;  // the question's picture file (Moodle XML and QTI carry it), "" for none
};

// A true/false question with several statements as one question per
// statement, its text the question's text with the statement on a line of
// its own; with `splitFields` the same for a typed question with several fields.
std::vector<Question> SingleAnswerQuestions(const Question& q, bool splitFields);
// The name a question goes out under: its own, or its number.
std::string ExportName(const Question& q, int number);

// A Moodle XML quiz written to `out` as it is made; `category` (when not
// empty) names the one category the questions go into. A question's picture
// goes with it as a file of its text (base64, read from the file as it is
// written), shown after the text; a picture that cannot be opened goes
// without one. False when `out` refused a write, or (with `error` set) a
// picture could not be read to its end.
bool WriteMoodleXml(QIODevice& out, const std::vector<ExportQuestion>& questions, const std::string& category,
                    std::string& error);
// The same quiz as text.
std::string MoodleXmlText(const std::vector<ExportQuestion>& questions, const std::string& category);
// GIFT reads an accepted typed answer that holds "->" as a pair of a
// matching question and has no escape for it: such a question cannot go out
// as GIFT (choices can, written as HTML with "&gt;").
bool GiftCarries(const Question& q);
// GIFT text, UTF-8; `category` as for Moodle XML. Questions GIFT cannot
// carry are left out (the export lists them).
std::string GiftText(const std::vector<ExportQuestion>& questions, const std::string& category);

struct QtiTexts {
    std::string trueText = "True";
    std::string falseText = "False";
};
// An IMS QTI 2.1 content package: imsmanifest.xml, items/itemN.xml (one
// per question, its picture beside it in items/media/) and test.xml (the assessment test, the questions in order).
// False with `error` set when it could not be written.
bool WriteQtiPackage(const std::string& zipPath, const std::vector<ExportQuestion>& questions,
                     const std::string& testTitle, const QtiTexts& texts, std::string& error);

}  // namespace dorvel::exchange
