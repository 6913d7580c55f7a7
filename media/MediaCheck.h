#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// What a picture or sound file a teacher names for a question must be: one
// of the kinds every current browser shows or plays, recognised by its first
// bytes (not its name), a regular file, and for pictures within the size
// limits. The editor checks a file before it takes it; the build checks it
// again, since it may have changed since.
namespace dorvel {

enum class MediaKind { Picture,
                       Sound };

enum class MediaVerdict {
    Ok,
    Missing,        // no such file, or it cannot be opened
    NotAFile,       // a folder, device or FIFO
    UnknownKind,    // an extension that is not one of the kinds taken
    WrongContent,   // the first bytes are not those of its extension's kind
    TooLarge,       // a picture over kMaxPictureBytes
    TooManyPixels,  // a picture wider or higher than kMaxPictureSide
    UnsafeName,     // a path holding < or >, which no record can carry
    // An SVG that is more than a picture (media/SvgSafety.h):
    SvgDocumentType,  // it declares a document type
    SvgScript,        // a script, an event attribute, a javascript: address
    SvgExternal,      // a reference to anything outside it
};

inline constexpr std::int64_t kMaxPictureBytes = std::int64_t(20) << 20;
inline constexpr int kMaxPictureSide = 8000;

struct MediaCheck {
    MediaVerdict verdict = MediaVerdict::Missing;
    // A picture's size in pixels when its header says it (0 when unknown,
    // such as an SVG without a size).
    int width = 0;
    int height = 0;

    bool ok() const { return verdict == MediaVerdict::Ok; }
};

// The extensions taken, lower case with the dot: ".png", ".jpg", ".jpeg",
// ".gif", ".webp", ".svg" for pictures; ".wav", ".mp3", ".ogg" for sounds.
bool IsMediaExtension(MediaKind kind, std::string_view lowerExtension);
// The kind an extension names, if it is one of those taken.
bool MediaKindOfExtension(std::string_view lowerExtension, MediaKind& kind);
// The patterns a file dialog offers for the kind ("*.png *.jpg ...").
std::string MediaFilePatterns(MediaKind kind);

// Up to `size` bytes from the start of the open file `fd` (fewer at its end
// or after a failed read).
std::string ReadFileHead(int fd, std::size_t size);

// Checks a file named as a question's picture or sound.
MediaCheck CheckQuestionMedia(const std::string& path, MediaKind kind);
// The same check for a file's bytes in memory, named `name` (the extension
// counts), such as a picture an imported question file carries.
MediaCheck CheckMediaBytes(std::string_view name, MediaKind kind, std::string_view bytes);

// True when `head` (the first bytes of a file) starts as the extension's
// kind says; false for extensions that are none of the kinds above.
bool HasMediaSignature(std::string_view lowerExtension, std::string_view head);

// A picture's size from its first bytes; false when they do not say it.
bool PictureSizeFromHead(std::string_view lowerExtension, std::string_view head, int& width, int& height);

}  // namespace dorvel
