#pragma once

#include "media/MediaCheck.h"

#include <string>
#include <vector>

// A set question's own picture and sound, put into its expanded question
// file: the picture into the template's picture place (the vtPicture named
// "QuestionPicture"), the sound as the question's sound. What cannot be used
// (missing, changed since it was chosen) is left out and reported with the
// question that names it.
namespace dorvel {

struct ExportLists;
class LangStrings;

struct QuestionMediaProblem {
    std::string path;
    int question = 0;
    MediaVerdict verdict = MediaVerdict::Missing;
};

struct QuestionMediaUse {
    std::string picture;   // "" for none
    int pictureWidth = 0;  // pixels; 0 when the file does not say
    int pictureHeight = 0;
    std::string sound;  // "" for none
    // What the picture shows, as stored text (free of markup); "" for none.
    std::string pictureDescription;
};

// The files question `question` of the set at `setFilePath` names that can
// go on its page; the others are added to `problems`.
QuestionMediaUse UsableQuestionMedia(const std::string& record, const std::string& setFilePath, int question,
                                     std::vector<QuestionMediaProblem>& problems);

// The expanded question with its picture and sound. The picture place is
// always taken out, so a question without a picture is as before; with a
// picture, the picture stands in the place, scaled down to fit with its
// proportions kept and centred, and the elements the place names in
// withPicture move aside. The picture carries its description (the page's
// alt text) as PictureDescription. A template without a place shows no
// picture.
std::string PlaceQuestionMedia(std::string content, const QuestionMediaUse& use);

// Adds each problem to the missing files, as its path followed by the
// questions that name it (and why, when the file exists but is refused).
// Returns the status BuildBankLists would give for the lists now.
std::string AddQuestionMediaProblems(ExportLists& lists, const std::vector<QuestionMediaProblem>& problems,
                                     const LangStrings& lang);

// The message text for a refused file ("it is larger than 20 MB").
std::string MediaVerdictText(MediaVerdict verdict, MediaKind kind, const LangStrings& lang);

}  // namespace dorvel
