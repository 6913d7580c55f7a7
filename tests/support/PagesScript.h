#pragma once

#include <map>
#include <string>

// The page texts of a web test read back from its pages.js, as a browser
// reads the script's string literals (windows-1252 for the pages' Latin-1).
namespace dorvel::test {

std::map<std::string, std::string> ReadPagesScript(const std::string& script);

// One page of the pages.js in `testFolder`; empty when it has no such page.
std::string PageText(const std::string& testFolder, const std::string& name);

}  // namespace dorvel::test
