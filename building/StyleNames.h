#pragma once

#include <string>
#include <vector>

namespace dorvel {

// The graphic styles the installation offers: sub-folders of the templates
// folder whose names are longer than 3 characters, in listing order, at
// most 50.
std::vector<std::string> StyleNames();

}  // namespace dorvel
