#pragma once

#include <QColor>
#include <QPalette>
#include <cstdint>

// A colour word: low byte red, then green, then blue; a top byte of 0xFF marks a Windows system
// colour whose index is the low byte, drawn in the palette's current value for it.
QColor ResolveColorWord(uint32_t color, const QPalette& palette);
