#pragma once

// Why a question or a file was not imported: entries of the language packs,
// so the editor's dialog and the command line say it in the author's language.
namespace dorvel::exchange::reason {

inline constexpr int kMatching = 480;
inline constexpr int kEssay = 481;
inline constexpr int kSeveralRight = 482;
inline constexpr int kCloze = 483;
inline constexpr int kNoRightAnswer = 484;
inline constexpr int kOverLimit = 485;
inline constexpr int kTooManyChoices = 486;
inline constexpr int kTooFewChoices = 487;
inline constexpr int kTooManyAnswers = 488;
inline constexpr int kUnsupportedType = 489;
inline constexpr int kTextTooLong = 490;
inline constexpr int kUnreadable = 491;
inline constexpr int kWildcard = 492;
inline constexpr int kNotANumber = 493;
inline constexpr int kNoEmptyLine = 518;
// A choice that shows nothing once its HTML is read as text (a picture or a
// drawing as the choice).
inline constexpr int kEmptyChoice = 526;

// Parts of a question that came in without them ("%1" the file's name,
// "%2" why the media checks refused it).
inline constexpr int kFileLeftOut = 519;
inline constexpr int kPictureRefused = 520;
inline constexpr int kPictureNotInFile = 521;
inline constexpr int kSoundLeftOut = 527;
// GIFT names its pictures by path: only one in the file's own folder comes.
inline constexpr int kPictureNotBeside = 528;

// The file as a whole.
inline constexpr int kFileTooLarge = 494;
inline constexpr int kLineTooLong = 495;
inline constexpr int kDocumentType = 496;
inline constexpr int kTooDeep = 497;
inline constexpr int kNotWellFormed = 498;
inline constexpr int kTooManyQuestions = 499;
inline constexpr int kCannotRead = 500;

inline constexpr int kNothingToImport = 501;

}  // namespace dorvel::exchange::reason

// The other texts of importing and exporting questions.
namespace dorvel::exchange::text {

inline constexpr int kSkippedLine = 502;    // "Question %1 (%2): %3"
inline constexpr int kImportedCount = 503;  // "%1 questions imported, %2 not imported."
inline constexpr int kNotImported = 504;
inline constexpr int kExported = 505;
inline constexpr int kExportFailed = 506;
inline constexpr int kExportAs = 507;
inline constexpr int kMoodleXml = 508;
inline constexpr int kGift = 509;
inline constexpr int kQti = 510;
inline constexpr int kTrue = 511;
inline constexpr int kFalse = 512;
inline constexpr int kSwitchedOff = 513;  // "Question %1 is left out of the test and was not exported."
inline constexpr int kImportFailed = 514;
inline constexpr int kNoQuestions = 515;
inline constexpr int kPictureLeftOut = 516;  // "%1" the question, "%2" the file
inline constexpr int kSoundLeftOut = 517;
inline constexpr int kPicturesSavedIn = 522;   // "%1" the folder
inline constexpr int kPicturesNotSaved = 523;  // "%1" the folder and why
inline constexpr int kPartsLeftOut = 524;      // the list's heading when parts of questions are in it
inline constexpr int kNotInGift = 525;         // "%1" the question: an accepted answer holds "->"
inline constexpr int kPictureNotTaken = 555;   // "%1" the question, "%2" the file, "%3" why the media checks refuse it
// The file's categories became a set each: "%1" how many.
inline constexpr int kSetPerCategory = 529;
// The import dialog's choices of format (besides 508 and 509).
inline constexpr int kAnyQuestionFile = 542;
inline constexpr int kAikenFile = 543;
// The question when a file holds several categories ("%1" how many), and its two answers.
inline constexpr int kHowToImportCategories = 544;
inline constexpr int kSetPerCategoryChoice = 545;
inline constexpr int kAllTogetherChoice = 546;

// A Moodle XML file larger than our import reads: "%1" its size, "%2" the limit (MB).
inline constexpr int kLargerThanImports = 550;

}  // namespace dorvel::exchange::text
