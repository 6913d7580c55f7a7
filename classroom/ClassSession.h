#pragma once

#include "classroom/ClassMarking.h"

#include <string>
#include <vector>

namespace dorvel {
class LangStrings;
class UserInterface;
}  // namespace dorvel

namespace dorvel::classroom {

// A set made ready to run in class: its questions as the teacher's side
// marks them, and its web test written into `folder`.
struct PreparedClass {
    std::string setPath;                   // canonical: names the set's classes in the store
    std::string title;                     // the test's name
    std::vector<ClassQuestion> questions;  // the questions switched on
    std::string startPage;                 // the test's start page, relative to `folder`
    std::string error;                     // why it could not be prepared ("" when it was)
};

// Reads the set at `setPath` and writes its web test into `folder` (an
// empty folder the caller owns). Missing media files are reported through
// `ui`, as for an export.
PreparedClass PrepareClass(const std::string& setPath, const std::string& folder, const LangStrings& lang,
                           const std::string& language, UserInterface& ui);

// This machine's IPv4 address in the school's network: the first of a
// network that is up, not the loopback ("" when there is none).
std::string NetworkAddress();

}  // namespace dorvel::classroom
