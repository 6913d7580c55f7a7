#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>

namespace dorvel {

// The ids one page gives its elements. An author's id keeps only letters,
// digits and underscores (SafeId); when that makes it equal to the id of
// another element on the page, it gets "_2", "_3", ... in page order, so that
// two elements never share blocks or answers. The same author's id always
// gets the same page id, so an element naming its feedback area finds it.
class ElementIds {
public:
    const std::string& of(std::string_view authorId);

private:
    std::map<std::string, std::string, std::less<>> m_pageIds;
    std::set<std::string, std::less<>> m_taken;
};

}  // namespace dorvel
