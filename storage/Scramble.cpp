#include "storage/Vtutils.h"

#include "storage/ScrambleData.h"

#include <array>
#include <cstdint>
#include <ctime>

namespace dorvel {

namespace {

using namespace scramble;

// Substitution tables built once from the frozen data: for every alphabet,
// the forward and inverse byte maps, plus each byte's base position.
struct Tables {
    std::array<std::uint8_t, 256> basePos{};  // 0 = not in base
    std::array<std::array<unsigned char, 256>, kAlphabetCount> forward{};
    std::array<std::array<unsigned char, 256>, kAlphabetCount> inverse{};
    std::array<std::array<std::string, kKeyColumns>, kKeyRows> keys;
    std::string marker;

    Tables()
    {
        for (int i = 0; i < kBaseLength; ++i)
            basePos[static_cast<unsigned char>(kBaseOrdering[i])] = static_cast<std::uint8_t>(i + 1);
        for (int a = 0; a < kAlphabetCount; ++a) {
            for (int c = 0; c < 256; ++c) {
                forward[a][c] = static_cast<unsigned char>(c);
                inverse[a][c] = static_cast<unsigned char>(c);
            }
            for (int i = 0; i < kBaseLength; ++i) {
                const auto from = static_cast<unsigned char>(kBaseOrdering[i]);
                const auto to = static_cast<unsigned char>(kAlphabets[a][i]);
                forward[a][from] = to;
                inverse[a][to] = from;
            }
        }
        marker.assign(kMarker, kMarkerLength);
        // Keys of the first five kinds are stored disguised under the
        // start-up key; the last two columns are used as stored.
        for (int r = 0; r < kKeyRows; ++r) {
            for (int k = 0; k < kKeyColumns; ++k) {
                const std::string stored = kKeys[r][k];
                keys[r][k] = k < 5 ? substitute(stored, kStartupKey) : stored;
            }
        }
    }

    std::string substitute(std::string_view text, std::string_view key) const { return apply(text, key, forward); }
    std::string restore(std::string_view text, std::string_view key) const { return apply(text, key, inverse); }

private:
    using Maps = std::array<std::array<unsigned char, 256>, kAlphabetCount>;

    // Each key character picks the alphabet for the text character at the
    // same position; the key starts over when it runs out.
    std::string apply(std::string_view text, std::string_view key, const Maps& maps) const
    {
        std::string out(text);
        if (key.empty())
            return out;
        std::size_t k = 0;
        for (char& ch : out) {
            const int a = basePos[static_cast<unsigned char>(key[k])];
            ch = static_cast<char>(maps[a][static_cast<unsigned char>(ch)]);
            if (++k == key.size())
                k = 0;
        }
        return out;
    }
};

const Tables& tables()
{
    static const Tables t;
    return t;
}

int clampKind(int kind)
{
    return (kind < 0 || kind >= kKeyColumns) ? 0 : kind;
}

// A small linear congruential generator: only its seeding from the clock
// in seconds matters to the format (same second, same scrambled bytes).
class Random {
public:
    explicit Random(std::uint32_t seed)
        : m_state(seed)
    {
    }
    std::uint32_t next()
    {
        m_state = m_state * 134775813u + 1u;
        return m_state >> 1;
    }

private:
    std::uint32_t m_state;
};

// Which row restores the marker; -1 when none does.
int matchingRow(std::string_view text, int kind)
{
    const Tables& t = tables();
    const std::string_view head = text.substr(0, kMarkerLength);
    for (int row = 0; row < kKeyRows; ++row) {
        if (t.restore(head, t.keys[row][kind]) == t.marker)
            return row;
    }
    return -1;
}

}  // namespace

int StoredFileKind(std::string_view path)
{
    const auto slash = path.find_last_of("/\\");
    const auto dot = path.rfind('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return 0;
    std::string ext(path.substr(dot));
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    if (ext == ".txt")
        return -1;
    if (ext == ".vtl")
        return 1;
    if (ext == ".vtd")
        return 2;
    if (ext == ".vtb")
        return 3;
    if (ext == ".vtr")
        return 4;
    if (ext == ".vtc")
        return 5;
    return 0;
}

std::string SubstituteText(std::string_view text, std::string_view key)
{
    return tables().substitute(text, key);
}

std::string RestoreText(std::string_view text, std::string_view key)
{
    return tables().restore(text, key);
}

const std::string& ScrambleKey(int row, int kind)
{
    return tables().keys[static_cast<std::size_t>(row % kKeyRows)][static_cast<std::size_t>(clampKind(kind))];
}

std::string ScrambleTextSeeded(std::string_view text, int kind, unsigned seed)
{
    const Tables& t = tables();
    Random random(seed);
    std::string salt;
    salt.reserve(kSaltLength);
    for (int i = 0; i < kSaltLength; ++i)
        salt += kBaseOrdering[random.next() % kSaltAlphabet];
    std::string inner;
    inner.reserve(kMarkerLength + kSaltLength + text.size());
    inner += t.marker;
    inner += salt;
    inner += t.substitute(text, salt);
    const int row = static_cast<int>(random.next() % kKeyRows);
    return t.substitute(inner, t.keys[row][clampKind(kind)]);
}

std::string ScrambleText(std::string_view text, int kind)
{
    return ScrambleTextSeeded(text, kind, static_cast<unsigned>(std::time(nullptr)));
}

std::string UnscrambleText(std::string_view text, int kind)
{
    const Tables& t = tables();
    kind = clampKind(kind);
    int row = matchingRow(text, kind);
    if (row < 0)
        row = kKeyRows - 1;  // no row matched: the last row's result is used all the same
    const std::string c = t.restore(text, t.keys[row][kind]);
    if (c.size() <= static_cast<std::size_t>(kMarkerLength))
        return {};
    const std::string_view rest = std::string_view(c).substr(kMarkerLength);
    const std::string_view salt = rest.substr(0, kSaltLength);
    const std::string_view body = rest.substr(salt.size());
    return t.restore(body, salt);
}

bool IsScrambledAs(std::string_view text, int kind)
{
    return matchingRow(text, clampKind(kind)) >= 0;
}

}  // namespace dorvel
