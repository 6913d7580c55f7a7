#pragma once

#include <string_view>

namespace dorvel {

// The maker's web site: the Help menu's web items and the start page of
// every web test link to it. One place, so they never disagree.
inline constexpr std::string_view kMakerSiteAddress = "https://dorvel.example.org/";
inline constexpr std::string_view kMakerSiteName = "dorvel.example.org";

}  // namespace dorvel
