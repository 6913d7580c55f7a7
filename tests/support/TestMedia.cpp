#include "tests/support/TestMedia.h"

#include "tests/support/ProgramRun.h"

#include <gtest/gtest.h>

namespace dorvel::test {

std::string MakePicture(const std::string& path, int width, int height, const std::string& colour)
{
    const std::string size = std::to_string(width) + "x" + std::to_string(height);
    // A gradient, so that a picture scaled out of proportion would show it.
    const ProgramRun run = RunProgram("/usr/bin/convert",
                                      {"-size", size, "gradient:" + colour + "-white", "-strip", path}, {}, 60);
    EXPECT_EQ(run.status, 0) << "convert " << path << ": " << run.err;
    return path;
}

std::string MakeSound(const std::string& path, double seconds)
{
    const ProgramRun run = RunProgram("/usr/bin/sox",
                                      {"-n", "-r", "22050", "-c", "1", path, "synth", std::to_string(seconds), "sine", "440"}, {}, 60);
    EXPECT_EQ(run.status, 0) << "sox " << path << ": " << run.err;
    return path;
}

}  // namespace dorvel::test
