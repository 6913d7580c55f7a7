#pragma once

#include "media/MediaCheck.h"

#include <string>
#include <vector>

class QPagedPaintDevice;
class QPageSize;

namespace dorvel {

class LangStrings;
struct OpenSet;

// A set as a test on paper: the test name, the examiner, lines for the
// student's name and the date, then every enabled question numbered, with
// boxes to tick for choices and for the true/false halves, lines to write
// typed answers on, and the question's picture. A question is never split
// across two pages (unless it is taller than a page on its own).
struct PaperOptions {
    // The same pages with the right answers ticked and the accepted typed
    // answers written on the lines: a teacher marks by laying the key beside
    // the student's sheet, page for page.
    bool answerKey = false;
};

// A picture a question names that was printed without.
struct PaperPictureProblem {
    std::string path;
    // Why the media checks refuse it (Missing when it is not there), as the
    // web test would; Ok when it passed them but could not be read.
    MediaVerdict verdict = MediaVerdict::Missing;
};

struct PaperResult {
    int pages = 0;
    int questions = 0;
    std::vector<PaperPictureProblem> pictureProblems;
};

// "The picture ... is not printed: it is larger than 8000 x 8000 pixels."
std::string PaperPictureProblemText(const PaperPictureProblem& problem, const LangStrings& lang);

// Paints the test onto `device` (a PDF writer or a printer, whose page size
// and margins are already set), one device page after another.
PaperResult PaintPaperTest(const OpenSet& set, const LangStrings& lang, QPagedPaintDevice& device,
                           const PaperOptions& options);

// Letter where the locale's paper is Letter (the Americas that use it),
// A4 everywhere else.
QPageSize LocalePaperSize();

// Writes the test as a PDF file at `path`. False (and `error`) when the file
// could not be written.
bool WritePaperPdf(const OpenSet& set, const LangStrings& lang, const std::string& path, const QPageSize& size,
                   const PaperOptions& options, PaperResult& result, std::string& error);

}  // namespace dorvel
