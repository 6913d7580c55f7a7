#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace dorvel {

// The 30 most recent set files, entry 0 the newest. An entry may be empty:
// a file that disappeared leaves its entry empty rather than shifting the
// others.
class RecentFiles {
public:
    static constexpr int kCount = 30;
    using Entries = std::array<std::string, kCount>;

    void clear();
    // Takes stored values by number; a value already in the list is skipped.
    void load(const Entries& values);
    // Puts path first: any entry equal to it is emptied, the entries above
    // the first empty one move down (the last falls off when none is empty).
    void add(const std::string& path);
    // Empties the entries whose files no longer exist.
    void forgetMissing();

    const std::string& at(int entry) const;
    const Entries& entries() const { return m_entries; }
    // (entry, caption) for the Reopen menu: each file once, newest first;
    // the caption is the file name without its four-character extension.
    std::vector<std::pair<int, std::string>> menuItems() const;

private:
    Entries m_entries;
};

}  // namespace dorvel
