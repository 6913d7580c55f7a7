#pragma once

#include <string>
#include <string_view>
#include <vector>

// The few marks teachers type into a question's texts: <b>, <i>, <u>, <sub>
// and <sup> (any letter case) render as such in the web test. Nothing else
// is markup: any other tag, a mark with attributes, a closing mark that
// closes nothing, all show as typed. Every line's HTML is balanced on its
// own; a mark left open runs on over the next lines and ends with the text.
namespace dorvel {

// One entry per line of `text` (UTF-8; lines end at CR LF, CR or LF, and a
// final line break starts no line), each escaped for HTML text with its
// marks as elements. The empty text has no lines.
std::vector<std::string> MarkedHtmlLines(std::string_view text);

// The words a student reads of `text`: the marks that render left out,
// everything else as typed (line breaks too). Names for screen readers are
// made of it, so that they say "H2O", not the tags around the 2.
std::string UnmarkedText(std::string_view text);

}  // namespace dorvel
