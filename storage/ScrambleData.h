#pragma once

// The frozen tables behind stored files. Values live in ScrambleData.cpp.
namespace dorvel::scramble {

constexpr int kBaseLength = 94;
constexpr int kAlphabetCount = 95;
constexpr int kKeyRows = 5;
constexpr int kKeyColumns = 7;
constexpr int kMarkerLength = 17;
constexpr int kSaltLength = 300;
constexpr int kSaltAlphabet = 92;

extern const char kBaseOrdering[];                      // 94 bytes
extern const char* const kAlphabets[kAlphabetCount];    // 94 bytes each
extern const char* const kKeys[kKeyRows][kKeyColumns];  // stored form
extern const char kStartupKey[];                        // 114 bytes
extern const char kMarker[];                            // 17 bytes

}  // namespace dorvel::scramble
