#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dorvel {

// The maker's web site, as an installation names it. The start page and the
// results page of every web test link to it, and the Help menu's web items
// open its pages; without one, no page names a site and the Help items open
// the installed guide instead.
struct MakerSite {
    std::string address;  // "https://host/" (always ending with '/')
    std::string name;     // "host", shown as the link's text
};

// The file in the installation folder that names the site: one line, an
// http or https address. Builds write it from DORVEL_MAKER_SITE.
inline constexpr const char* kMakerSiteFile = "maker-site.txt";

// The site a line names, or nothing when it is no plain web address or names
// a host kept for examples (example.org, .test, localhost, ...): a
// placeholder must never reach a student.
std::optional<MakerSite> ParseMakerSite(std::string_view line);

// The site of this installation (read from kMakerSiteFile), or nothing.
std::optional<MakerSite> InstalledMakerSite();

}  // namespace dorvel
