#pragma once

#include "media/MediaCheck.h"

#include <string_view>

// An SVG picture is a document a browser runs: opened by its own address
// (a student's right click, "open image in new tab"; in a SCORM package the
// learning platform's origin) its scripts run, its links lead anywhere and
// it loads what it names from other places. A picture a test ships must be
// a picture only, so an SVG is read with a real XML reader and refused when
// it holds any of that. Kept: shapes, text, styles, gradients, patterns,
// filters, animations of appearance, and references inside the picture
// (href="#id", url(#id)) or to a raster picture it carries (data:image/png).
namespace dorvel {

// Ok, or why the SVG cannot be shipped: SvgDocumentType (a DOCTYPE, whose
// entities are never read), SvgScript (a script, an event attribute, a
// javascript: address, an animation that sets one of those), SvgExternal (a
// reference to anything outside the picture, foreignObject, a stylesheet it
// fetches, XHTML elements), WrongContent (not well-formed XML).
MediaVerdict CheckSvgSafety(std::string_view bytes);

}  // namespace dorvel
