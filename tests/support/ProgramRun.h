#pragma once

#include <string>
#include <vector>

namespace dorvel::test {

// What a program run printed and how it ended.
struct ProgramRun {
    int status = -1;  // the exit status; -1 when it crashed or did not end in time (it is then killed)
    std::string out;
    std::string err;
};

// Runs `program` with `args`, `input` on its standard input, for at most
// `seconds`.
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args, const std::string& input = {},
                      int seconds = 120);

}  // namespace dorvel::test
