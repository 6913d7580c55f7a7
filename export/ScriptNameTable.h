#pragma once

#include <array>
#include <string>
#include <string_view>

namespace dorvel {

// The 73 identifiers of the web test's script. Each export writes them under
// freshly drawn names ("c" and a number below 1000), so that every test
// carries its own spelling of the engine.
class ScriptNameTable {
public:
    static constexpr int kCount = 73;
    static constexpr int kMaxDraws = 5000;

    // Every entry under its table name until draw() runs.
    ScriptNameTable();

    static std::string_view tableName(int index);
    // Index of a table name, -1 when it is none (the empty entry 38 is never found).
    static int indexOf(std::string_view tableName);

    // Draws the output names from a generator seeded with `seed`. A candidate
    // that occurs anywhere inside the names already drawn is refused, so no
    // name is the beginning of an earlier one. Entries left when the draws
    // run out keep their table names.
    void draw(unsigned seed);

    const std::string& out(int index) const { return m_out.at(static_cast<std::size_t>(index)); }
    // Output name of a table name; the table name itself when it is none.
    std::string out(std::string_view tableName) const;

    // Replaces every "$name$" whose name is a table name by its output name;
    // other dollar signs stay as they are.
    std::string substitute(std::string_view text) const;

private:
    std::array<std::string, kCount> m_out;
};

}  // namespace dorvel
