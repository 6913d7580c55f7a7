#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

// The fixed pages and long fragments of the web test are real files under
// export/web/, embedded into the core library as a Qt resource (":/web/...").
//
// Notation inside the template files:
// - "{{NAME}}" is a value the writer fills in (FillPlaceholders). The writer
//   passes each value already escaped for where the placeholder stands (HTML
//   text, attribute, script string); an unknown NAME is left as it is.
//   The control script blocks may use {{textsA0}} .. {{textsA16}} and
//   {{textsB0}} .. {{textsB18}} (the interface texts, escaped for a script
//   string in either quote), {{W}} and {{H}} (page size), {{S}} (the largest
//   slider position), {{P}} (pre-test pages) and {{maker}}.
// - "$name$" is the drawn output name of the script identifier `name`
//   (ScriptNameTable::substitute).
// - Files use LF line ends; the writer turns each LF into the line break of
//   the file it writes (a single CR for generated pages, CR LF for the start
//   page and frameset). A final LF at the end of a file is not part of it.
namespace dorvel {

// Bytes of export/web/<relativePath>, or nothing when there is no such file.
std::optional<std::string> LoadWebTemplate(std::string_view relativePath);

std::string FillPlaceholders(std::string_view text, const std::map<std::string, std::string>& values);

// The script templates are indented and commented for their readers; the
// generated script carries neither: leading blanks and lines that are only a
// "//" comment are dropped.
std::string CompactScript(std::string_view text);

// Drops one final LF, then writes every LF as `lineBreak`.
std::string WithLineBreaks(std::string_view text, std::string_view lineBreak);

}  // namespace dorvel
