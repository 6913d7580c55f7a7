#pragma once

#include <string>
#include <string_view>

// Small text helpers of the web test writer: the value conversions the pages
// need, and the escaping that keeps every value from a set, a template or a
// language pack inert in the context it is written into.
namespace dorvel {

// Trimmed of blanks at both ends, then one trailing comma removed.
std::string TrimComma(std::string_view text);

// A colour text (a Delphi colour name such as clRed or clBtnFace, a decimal
// number, or "$" and hex digits; the value holds blue in its high byte) as six
// lower-case hex digits red, green, blue. A text that is no colour gives
// `fallback`: one bad colour must not stop an export.
std::string HtmlColour(std::string_view colourText, std::string_view fallback = "ffffff");

// Type suffix of a sound file for "audio/...": "x-mpg", "wav", "x-aiff", or
// the lower-cased extension with its dot for any other file.
std::string AudioType(std::string_view fileName);
// Whether current browsers play a video file in a <video> element (MP4,
// WebM, Ogg), by its extension.
bool BrowserPlaysVideo(std::string_view fileName);

// ---- Escaping --------------------------------------------------------------

// Values are UTF-8 text (stored values are decoded first); what these write
// is ASCII, so it shows right whatever character set a page declares.

// Text between tags: & < > " become entities, every character beyond ASCII
// a numeric reference; control characters other than blanks, tabs and line
// breaks are left out.
std::string HtmlText(std::string_view text);
// An attribute value between double quotes: also ' becomes an entity.
std::string HtmlAttr(std::string_view text);
// The inside of a script string literal (either quote). Quotes, backslashes
// and line breaks are escaped, < > & as \x3C \x3E \x26 so that nothing in
// the value can close the script element or open a comment, and characters
// beyond ASCII as \uXXXX.
std::string JsString(std::string_view text);
// A relative address of a file: bytes that are not plainly safe in a URL
// path (blanks, #, ?, %, quotes, bytes above 127, ...) are percent-encoded.
// Names on disk are UTF-8, so the server finds them again.
std::string UrlPath(std::string_view name);
// A value written into script as a literal: the text when it is a plain
// decimal number or true/false, otherwise "0", so that a mark or option field
// can never carry code.
std::string JsLiteral(std::string_view text);
// An element id as the pages use it: as an attribute, inside script strings
// and glued into script identifiers (id + "1div"). Only letters, digits and
// underscores are kept.
std::string SafeId(std::string_view id);

// A web text from a language pack as plain text. Packs written for the
// original pages may hold the entities those pages wrote as markup (string
// 74 starts with "&nbsp;"); they become their Latin-1 characters here, so
// that the pages can escape pack texts like any other value.
std::string PackPlainText(std::string_view text);

// ---- File names --------------------------------------------------------------

// The file name a media file has in the test folder: for a path inside a
// "Buttons" folder the rest behind it with the first separator removed
// (Buttons\Blue\a.gif -> Bluea.gif), otherwise the plain file name. Both
// separators are accepted. The name holds no separator and is never "." or
// "..", so it stays inside the test folder; "" when the path names no file.
std::string FlatName(std::string_view path);

}  // namespace dorvel
