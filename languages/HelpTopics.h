#pragma once

#include <string>
#include <string_view>

// The user guide: HTML pages in the installation's DVHelp folder, opened by
// topic ("::/LinksDV.html" or just "LinksDV.html").
namespace dorvel {

inline constexpr const char* kHelpContentsTopic = "::/LinksDV.html";
inline constexpr const char* kScreenSizeTopic = "::/F30ScreenSize.htm";
inline constexpr const char* kStartTopic = "::/S08Start.htm";
inline constexpr const char* kStartWithTutorialTopic = "::/S09Start.htm";
inline constexpr const char* kInstallationTopic = "::/F03Installation.htm";

std::string HelpFolder();  // <installation>/DVHelp/
// The guide in `language` (the language pack's name): DVHelp/<language>/
// when the guide has been written in it (its contents page is there),
// otherwise the English guide of HelpFolder().
std::string HelpFolder(const std::string& language);
// Help is there when its contents page is.
bool HelpAvailable();
// The page of a topic, in `language` when that guide has the page, else in
// English; "" when the topic names no page of the help folder (a topic that
// tries to leave the folder names none).
std::string HelpTopicFile(std::string_view topic, const std::string& language = {});

}  // namespace dorvel
