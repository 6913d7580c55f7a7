#include "cli/ConsoleUserInterface.h"

#include <cstdio>

namespace dorvel::cli {

void ConsoleUserInterface::showMessage(const std::string& text, Tone)
{
    std::fprintf(stderr, "dorvel-cli: %s\n", text.c_str());
}

Answer ConsoleUserInterface::ask(const std::string&, Buttons, Tone)
{
    return m_answer;
}

}  // namespace dorvel::cli
