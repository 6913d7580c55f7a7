#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace dorvel {

class ExportWrites;
class UserInterface;

// The files of the installation's Buttons folder that a web test uses.
inline constexpr std::array<std::string_view, 31> kButtonFiles{
    "blank.gif",
    "slideline.gif",
    "owl.gif",
    "tick.gif",
    "cross.gif",
    "Help.htm",
    "Help0.gif",
    "Help1.gif",
    "Help2.gif",
    "Arrow10.gif",
    "Arrow11.gif",
    "Arrow12.gif",
    "Slider.gif",
    "Arrow20.gif",
    "Arrow21.gif",
    "Arrow22.gif",
    "Cheat0.gif",
    "Cheat1.gif",
    "Cheat2.gif",
    "Cheat3.gif",
    "Finish0.gif",
    "Finish1.gif",
    "Finish2.gif",
    "Finish3.gif",
    "Mark0.gif",
    "Mark1.gif",
    "Mark2.gif",
    "Mark3.gif",
    "StartTest0.gif",
    "StartTest1.gif",
    "StartTest2.gif",
};

// The pages ask for "buttons/..." and "buttons/help.htm": the folder and the
// help page are written under exactly those names, so the test also works
// where names are case-sensitive.
inline constexpr std::string_view kButtonFolder = "buttons";
std::string ButtonTargetName(std::string_view buttonFile);

// Prepares the test folder beside `startPage`: creates it and its button
// folder, deletes the files of an earlier export from both, copies the button
// files (the version in the language's sub-folder first) and every found
// media file under its flat name; a later file of the same flat name is not
// copied. Shows `label` in the progress window. A test folder or button
// folder that is a symbolic link is refused before anything is removed (its
// target's files are never touched). False, with the reason in `writes`,
// when the folder could not be prepared or a file not copied.
bool CopyButtonImages(const std::string& startPage, const std::string& label, const std::string& language,
                      const std::vector<std::string>& foundFiles, UserInterface& ui, ExportWrites& writes);

}  // namespace dorvel
