#pragma once

#include "export/StartPages.h"

#include <cstdint>
#include <string>

// A web test as one file to e-mail: the start page carries the page texts,
// the help page and every picture and sound (as data addresses); opened again
// with "#test" (what its Start button does) it turns itself into the frameset.
namespace dorvel {

// Past this size a single file may be refused by mail servers.
inline constexpr std::int64_t kMailSizeLimit = 25'000'000;

struct SingleFileTest {
    bool written = false;
    std::string error;            // what failed when nothing was written
    std::int64_t bytes = 0;       // size of the file written
    std::int64_t mediaBytes = 0;  // pictures and sounds inside it, before encoding
};

// Packs the test written at `writtenStartPage` (its start page and test
// folder, as the web export leaves them) into `target`.
SingleFileTest PackSingleFileTest(const std::string& writtenStartPage, const std::string& target,
                                  const std::string& testName, const StartPageTexts& texts, int sizeClass);

// "2.4 MB", "830 KB": a file size for messages.
std::string SizeText(std::int64_t bytes);

}  // namespace dorvel
