#pragma once

#include <string>

// Real pictures and sounds for tests, made when needed with the machine's
// ImageMagick and SoX (both in scripts/debian-packages.txt).
namespace dorvel::test {

// A picture of `width` x `height` pixels in the format of the path's
// extension (png, jpg, gif, webp). Returns the path; fails the test when it
// could not be made.
std::string MakePicture(const std::string& path, int width, int height, const std::string& colour = "steelblue");
// A short tone in the format of the path's extension (wav, ogg).
std::string MakeSound(const std::string& path, double seconds = 0.3);

}  // namespace dorvel::test
