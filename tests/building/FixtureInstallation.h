#pragma once

#include "tests/support/TempFolder.h"

#include <string>

namespace dorvel::test {

// An installation folder of its own for one test: Buttons with tick.gif and
// cross.gif, and the style "Plain" whose twelve templates each use the
// background picture "bg.bmp" of the style folder. It is the installation
// folder while the object lives.
class FixtureInstallation {
public:
    FixtureInstallation();
    ~FixtureInstallation();
    FixtureInstallation(const FixtureInstallation&) = delete;
    FixtureInstallation& operator=(const FixtureInstallation&) = delete;

    // Path inside the installation folder.
    std::string path(const std::string& name = {}) const;
    std::string styleFolder(const std::string& style = "Plain") const;
    // Writes a template (scrambled as the program's templates are).
    void writeTemplate(const std::string& style, const std::string& fileName, const std::string& questionContent) const;
    // Writes plain bytes at a path inside the installation folder.
    std::string writeFile(const std::string& name, const std::string& bytes) const;

    // Template content (without the vtQuestion wrapper) of a fixture template.
    static std::string ChoiceTemplate(int count);
    static std::string TrueFalseTemplate(int count);
    static std::string TextTemplate(int count);
    static std::string PreTestTemplate();

private:
    TempFolder m_temp;
};

// A set record of a question with the given type, title and texts.
std::string QuestionRecord(int qType, const std::string& title);

}  // namespace dorvel::test
