#pragma once

#include <QImage>

// The marks a paper test draws as pictures inside its text (so they flow
// with the text in every script): a box to tick, a ticked box, a line to
// write on.
namespace dorvel {

QImage EmptyBoxImage();
QImage TickedBoxImage();
QImage WritingLineImage();

}  // namespace dorvel
