#pragma once

#include "media/MediaCheck.h"

#include <string>

// The picture and the sound a question of a set may name. The question
// record holds each as a pair of fields, in the manner of the question
// files' media: an absolute path, and the path relative to the set file's
// folder (so a set moved together with its media folder still finds them);
// "0" in both means none. Sets without the fields have neither, and readers
// that do not know the fields pass over them.
namespace dorvel {

struct QuestionMediaFields {
    const char* abs;
    const char* rel;
};

inline constexpr QuestionMediaFields kQuestionPictureFields{"qPictureAbs", "qPictureRel"};
inline constexpr QuestionMediaFields kQuestionSoundFields{"qSoundAbs", "qSoundRel"};
// What the picture shows, in the author's words, for a student who cannot see
// it (a screen reader reads it out): stored text like the question's other
// texts, one line; "" or no field means none, and the picture is decoration.
inline constexpr const char* kQuestionPictureDescriptionField = "qPictureDescription";

const QuestionMediaFields& QuestionMediaFieldsOf(MediaKind kind);

// The absolute path the question names (UTF-8), "" when it names none.
std::string NamedQuestionMedia(const std::string& record, MediaKind kind);

struct ResolvedMedia {
    bool named = false;  // the question names a file of this kind
    bool found = false;  // ... and it was found, at `path`
    // The file found, or when missing the absolute path named (what the
    // author is told).
    std::string path;
};

// Where the question's file is: the absolute path when it is a regular
// file there, otherwise the relative path taken from the folder of
// `setFilePath` (a set that has never been saved has no folder).
ResolvedMedia ResolveQuestionMedia(const std::string& record, MediaKind kind, const std::string& setFilePath);

// The record naming `absolutePath` (UTF-8) as its picture or sound, the
// relative field from the folder of `setFilePath` ("0" while the set has no
// file).
std::string WithQuestionMedia(const std::string& record, MediaKind kind, const std::string& absolutePath,
                              const std::string& setFilePath);
// The record naming no file of this kind ("0" in both fields); without its
// picture a question keeps no description of it either. A record that never
// named one stays as it is, so older sets are written back unchanged.
std::string WithoutQuestionMedia(const std::string& record, MediaKind kind);
// The description of the question's picture (UTF-8), "" when it has none.
std::string QuestionPictureDescription(const std::string& record);
// The record describing its picture with `text` (UTF-8, as typed: line breaks
// and runs of blanks become one blank, the ends trimmed). An empty text takes
// the field out, so a record that never had one stays as it is.
std::string WithQuestionPictureDescription(const std::string& record, const std::string& text);

// The record as a set that was at `fromSetPath` is saved at `toSetPath`:
// each file found now is named by where it is, relative to the new folder.
// Fields of a file not found, and fields already right, stay as they were.
std::string WithMediaRelativeTo(const std::string& record, const std::string& fromSetPath,
                                const std::string& toSetPath);

}  // namespace dorvel
