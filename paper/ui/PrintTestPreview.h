#pragma once

class QPrinter;
class QWidget;

namespace dorvel {

class LangStrings;
struct OpenSet;

// File > Print Test...: the paper test in a print preview with a check box
// for the answer key; printing goes through the same page layout as the
// PDF of dorvel-cli paper.
void PrintTestPreview(QWidget* parent, QPrinter& printer, const OpenSet& set, const LangStrings& lang);

}  // namespace dorvel
