#pragma once

#include "exchange/ExchangeQuestion.h"
#include "exchange/ImportedSets.h"
#include "model/OpenSet.h"
#include "storage/PartFiles.h"

#include <memory>
#include <string>
#include <utility>
#include <string_view>
#include <vector>

// Where the pictures of imported questions go: files of their own in a
// folder beside the set (or the imported file), named by their questions as
// a picture chosen in the editor is.
namespace dorvel::exchange {

// A picture's name as a file gave it, made safe to write into the pictures'
// folder: its last part only (no folders), no leading dot, no run of dots,
// none of the characters or device names Windows refuses, at most about 100
// bytes; what has nothing left is "picture" with the extension.
std::string SafePictureName(std::string_view name);

// The folder for the pictures of an import: "NAME media" beside `path`,
// NAME its file name without the extension ("out media" beside out.vtd,
// "quiz media" beside quiz.xml); absolute.
std::string PictureFolderOf(const std::string& path);

struct PlacedPictures {
    int written = 0;    // files written, one for each different picture
    int named = 0;      // questions that name one of the pictures
    std::string error;  // why the folder could not be used: then no question names a picture
    // The new files wait in a part folder until CommitImportedPictures moves
    // them into the folder (from, to); the part folder goes with the last copy.
    std::vector<std::pair<std::string, std::string>> moves;
    std::shared_ptr<PartFolder> part;
};

// Writes the pictures of the questions in `sets` (result.questions in order,
// 100 to a set, as SetsOfQuestions made them) into `folder` and names each in
// its question's record with its description (the file's alt text), relative to `setPaths[k]` when given (the file set k
// is saved as; none for a set not saved yet). Nothing outside `folder` is
// written and no file already there is replaced: a picture already there
// (the same bytes, under any name) is used as it is, a different one of a
// name taken gets the next free name ("map-2.png"), as do two different
// pictures of one name. A file the media
// checks refuse once written is removed again and listed in
// `result.leftOut`; its question stays. `places`, when given, says where
// each question went (SetsOfImport); a question in no set takes no picture.
PlacedPictures PlaceImportedPictures(ImportResult& result, std::vector<OpenSet>& sets, const std::string& folder,
                                     const std::vector<std::string>& setPaths = {},
                                     const std::vector<QuestionPlace>& places = {});

// Moves the new pictures into their folder, once the sets that name them are
// written (at once for sets that open unsaved). False, with `placed.error`,
// when one could not be moved.
bool CommitImportedPictures(PlacedPictures& placed);

}  // namespace dorvel::exchange
