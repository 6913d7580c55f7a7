#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// How text lives inside tagged text. A stored value is ASCII plus the pound
// sign (byte 163), so files stay readable by every reader of the format;
// everything else is a character reference:
//   - `&`, `<`, `>` are `&amp;`, `&lt;`, `&gt;`: typed text can never form
//     an element of the record around it;
//   - the double quote, the caret, the grave accent, line breaks and every
//     character above 126 but the pound sign are `&#N;` (N the code point).
// Inside the program text is UTF-8. Encode and Decode are the only way
// between the two forms.
namespace dorvel {

// UTF-8 text as a stored value. Bytes that are not UTF-8, and the zero
// character, become U+FFFD. DecodeText(EncodeText(t)) == t for every UTF-8
// text t without a zero character.
std::string EncodeText(std::string_view text);

// A stored value as UTF-8 text. Reads `&#N;`, `&#xH;`, `&amp;`, `&lt;`,
// `&gt;`, `&quot;`, `&apos;` and the named entities of Latin-1 (`&eacute;`);
// any other `&` stays as it stands ("Q&A"). Raw bytes above 127 are UTF-8
// where they form it (names written by earlier versions) and Windows-1252
// otherwise (sets and packs of the original format, "£").
std::string DecodeText(std::string_view stored);

// A stored value rewritten so that nothing in it can form an element: old
// and hand-made sets still carry `<` and `>` as they are.
std::string SafeStoredValue(std::string_view stored);

// What the editor stores for text the teacher typed (UTF-8): line breaks
// kept (CR LF, CR and LF become one line break), tabs as blanks, other
// control characters dropped, runs of blanks collapsed, blanks and line
// breaks trimmed from both ends; then encoded.
std::string CleanText(std::string_view typed);

// The characters of UTF-8 text in order. A byte that is not UTF-8 is read
// as Windows-1252, so that text from a file of the original format shows
// right wherever it comes through.
std::u32string CodePoints(std::string_view text);

// One character as UTF-8.
std::string EncodeUtf8(char32_t c);

// Characters as the teacher sees them: code points of UTF-8 text.
std::size_t TextLength(std::string_view text);

}  // namespace dorvel
