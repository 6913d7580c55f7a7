#pragma once

#include "languages/Messages.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace dorvel {

// The table of numbered language strings, as UTF-8 text. Entries 0 to 8 are internal
// (0 the default question record, 1 the default test details); 9 to 999 come
// from the language pack and stay empty until one sets them. 9 to 119 are the
// original format's; 120 to 999 hold the texts of what Dorvel added since
// (a reader of the original format skips them).
class LangStrings {
public:
    static constexpr int kCount = 1000;
    static constexpr int kFirstPackEntry = 9;

    LangStrings();

    const std::string& at(int n) const;
    const std::string& at(Message message) const { return at(static_cast<int>(message)); }
    // Text of a message key such as "s19"; empty for a malformed key.
    const std::string& key(std::string_view messageKey) const;
    // Sets entry n when n is a pack entry (9..999); false otherwise.
    bool set(int n, std::string text);

    // Applies the text of a pack: string lines go into the table, every other
    // line longer than 5 characters is handed to `componentLine` (the window
    // relabels itself there; may be empty). Returns the number of strings set.
    int applyPack(std::string_view packText,
                  const std::function<void(const std::string&)>& componentLine = {});

private:
    std::array<std::string, kCount> m_entries;
};

// Number of a message key ("s19" -> 19), -1 when it is not one.
int MessageKeyNumber(std::string_view messageKey);
// "s" + n
std::string MessageKey(int n);

}  // namespace dorvel
