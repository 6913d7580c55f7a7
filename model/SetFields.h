#pragma once

#include <string>
#include <string_view>

// The names of the elements a set stores, each written once. A set file
// holds the test details and one question record per question as tagged
// text (storage/Vtutils.h); every reader and writer names an element through
// this table, so a name mistyped no longer compiles and silently reads
// nothing. The names are those of the stored files and never change: older
// sets, banks and other versions of Dorvel read them.
//
// Written elsewhere, once each, and part of the same records: the pass mark
// (model/PassMark.h kPassMarkField), whether the student's name is asked
// (model/DefaultRecords.h kAskNameField), the question's name
// (model/QuestionName.h kQuestionNameField) and the question's picture,
// sound and picture description (media/QuestionMedia.h).
namespace dorvel::setfield {

// ---- Test details --------------------------------------------------------

inline constexpr std::string_view kCreator = "creator";
// The set's format; a set of a later version than this program's is refused.
inline constexpr std::string_view kVersion = "version";
inline constexpr std::string_view kQuestionFiles = "questionFiles";
inline constexpr std::string_view kCreationDate = "creationdate";
// The test's name and the examiner's, stored text; "0" in a new set that
// has never been named.
inline constexpr std::string_view kTestName = "TestName";
inline constexpr std::string_view kExaminerName = "ExaminerName";
// The name of the web test's style (DorvelTemplates/<style>).
inline constexpr std::string_view kGraphicStyle = "GraphicStyle";
// Options of the web test: 1 on, anything else off.
inline constexpr std::string_view kPresentInRandomOrder = "PresentInRandomOrder";
inline constexpr std::string_view kAllowMarking = "allowMarking";
inline constexpr std::string_view kAllowCheating = "allowCheating";
inline constexpr std::string_view kShowAnswer = "ShowAnswer";
inline constexpr std::string_view kShowResults = "showResults";
inline constexpr std::string_view kShowFeedback = "ShowFeedback";
inline constexpr std::string_view kAllowPrinting = "allowPrinting";
inline constexpr std::string_view kAllowFinishedQuestionViewing = "allowFinishedQuestionViewing";
// Questions the web test marks per page of the marking preview.
inline constexpr std::string_view kQuestionPreviewNumber = "questionPreviewNumber";

// ---- The question record ---------------------------------------------------

// The kind and size: 0..2 multiple choice with 2..4 choices, 3..6 true/false
// with 1..4 statements, 7..10 typed answers with 1..4 fields.
inline constexpr std::string_view kQuestionType = "qType";
// 1: the question is left out of every output (the editor's "leave out").
inline constexpr std::string_view kQuestionDisabled = "qDisabled";
inline constexpr std::string_view kQuestionEnabled = "qEnabled";
// The question's text (the element was named for the old title box).
inline constexpr std::string_view kQuestionText = "Title";
// Multiple choice: the right choice, counted from 0.
inline constexpr std::string_view kSelectAnswer = "SelectAnswer";

// The element names that carry a number, built from these stems.
inline constexpr std::string_view kTextStem = "Text";
inline constexpr std::string_view kStatementAnswerStem = "tf";
inline constexpr std::string_view kFieldTypeStem = "tType";
inline constexpr std::string_view kFieldRangeStem = "useRange";
inline constexpr std::string_view kAnswerStem = "a";

// Choice, statement or field label k (from 1): "Text1".."Text6".
std::string TextField(int k);
// The answer to statement k (from 1): "tf1".. (0 false; 1 true).
std::string StatementAnswerField(int k);
// What typed field f (from 1) accepts: "tType1".. (0 any text, 1 numbers).
std::string FieldTypeField(int f);
// Whether number field f (from 1) accepts a range: "useRange1"..
std::string FieldRangeField(int f);
// Accepted answer n (0..9) of typed field f (1..6): "a10".."a69".
std::string AnswerField(int f, int n);

}  // namespace dorvel::setfield
