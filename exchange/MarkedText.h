#pragma once

#include <string>
#include <string_view>
#include <vector>

// Question texts between HTML (as other formats carry them) and the marked
// text the set stores (plain text with line breaks and the inline marks the
// web test renders: <b>, <i>, <u>, <sub>, <sup>).
namespace dorvel::exchange {

// Which "<" starts a tag: in HTML every "<" followed by a letter; in text
// typed in Moodle's auto-format (GIFT's default) only one that starts an
// element HTML knows, so that "<stdio.h>" and "x<y and y>z" stay as typed.
enum class Tags { Html,
                  KnownOnly };

// HTML as marked text: <strong>/<em> become <b>/<i>, the five marks stay,
// paragraphs, divisions, list items, table rows and <br> become line breaks
// (list items keep their bullet or number, a row's cells are joined by
// " | ", a <pre> keeps its lines and blanks), runs of white space one blank,
// every other tag (and the content of script, style and svg) goes;
// references become their characters.
std::string MarkedTextFromHtml(std::string_view html, Tags tags = Tags::Html);

// Markdown (as GIFT's [markdown] and Moodle's markdown format carry it) as
// marked text: bold, italic, lists and paragraphs as HTML gives them.
std::string MarkedTextFromMarkdown(std::string_view markdown);

// Whether a marked text shows nothing (only blanks and marks).
bool ShowsNothing(std::string_view text);

// The pictures an HTML text shows, in order: each <img> element's src and
// alt attributes, references decoded ("" for one it lacks).
struct HtmlImage {
    std::string src;
    std::string alt;
};
std::vector<HtmlImage> ImagesInHtml(std::string_view html);
// The files an HTML text links to or plays, other than its pictures: the
// href of <a>, the src of <audio>, <source>, <embed> and <video>, the data
// of <object> (decoded, in no particular order).
std::vector<std::string> LinksInHtml(std::string_view html);

// Marked text as HTML: text escaped, marks as elements, lines joined by <br>.
std::string HtmlFromMarkedText(std::string_view text);

// Marked text in runs, for writers that build their own elements. A run is
// either text or a mark's start or end; lines are separated by a line-break run.
struct MarkRun {
    enum Type { Text,
                Open,
                Close,
                LineBreak } type
        = Text;
    std::string value;  // the text, or the mark's name (b, i, u, sub, sup)
};
std::vector<MarkRun> MarkRuns(std::string_view text);

// Raw file bytes as UTF-8 text: a byte-order mark removed, CR LF and CR
// made LF, bytes that are not UTF-8 read as Windows-1252.
std::string NormalisedText(std::string_view bytes);

// The first words of a text for lists ("" stays ""), marks removed.
std::string ShortLabel(std::string_view text);

}  // namespace dorvel::exchange
