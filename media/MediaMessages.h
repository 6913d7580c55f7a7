#pragma once

#include "media/MediaCheck.h"

#include <string>

namespace dorvel {

class LangStrings;

// Language pack entries of question pictures and sounds.
namespace MediaText {
inline constexpr int PictureRefused = 360;  // "The picture cannot be used:" + path + reason
inline constexpr int SoundRefused = 361;
inline constexpr int NotAPicture = 362;
inline constexpr int NotASound = 363;
inline constexpr int WrongContent = 364;
inline constexpr int TooLarge = 365;
inline constexpr int TooManyPixels = 366;
inline constexpr int Missing = 367;
inline constexpr int NotAFile = 368;
inline constexpr int UnsafeName = 369;
inline constexpr int ChoosePicture = 370;
inline constexpr int ChooseSound = 371;
inline constexpr int Pictures = 372;
inline constexpr int Sounds = 373;
inline constexpr int NamedByQuestion = 374;     // "%1 (question %2)"
inline constexpr int PlaySoundAgain = 375;      // the web page's play button
inline constexpr int RefusedForQuestion = 376;  // "%1 (question %2: %3)"
inline constexpr int NoPicture = 377;
inline constexpr int NoSound = 378;
inline constexpr int Description = 379;         // shown in the picture's description box while it is empty
inline constexpr int PictureDescription = 380;  // the box's name for screen readers
inline constexpr int SvgDocumentType = 390;
inline constexpr int SvgScript = 391;
inline constexpr int SvgExternal = 392;
}  // namespace MediaText

// Why a file was refused ("it is larger than 20 MB.").
std::string MediaVerdictText(MediaVerdict verdict, MediaKind kind, const LangStrings& lang);

// The whole message for a file refused as a question's picture or sound.
std::string MediaRefusedText(const std::string& path, MediaVerdict verdict, MediaKind kind, const LangStrings& lang);

// `text` with %1, %2, %3 replaced.
std::string FillPlaceholders(std::string text, const std::string& a, const std::string& b = {},
                             const std::string& c = {});

}  // namespace dorvel
