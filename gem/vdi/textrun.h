// The pen's walk along a string, shared by the text output calls and the
// text metrics: which glyph each byte of a string is and how far each glyph
// moves the pen, exactly as v_gtext composes it.
#pragma once

#include "gem/vdi/fontlist.h"

constexpr short kBold = 0x01, kLight = 0x02, kItalic = 0x04, kUnderline = 0x08, kWide = 0x10;

// How far italic shifts glyph row `row` to the right.
inline int italic_shift(short effects, int height, int row)
{
    return (effects & kItalic) ? (height - row) / 2 : 0;
}

// The glyph row that gives a glyph's advance: the last row the glyph draws,
// the one above the bottom row when the bottom row holds the underline.
inline int advance_row(short effects, int height)
{
    return (effects & kUnderline) ? height - 2 : height - 1;
}

// What a string adds up to: how far the pen goes (italic run-on included),
// how many glyphs are drawn and how many of them are spaces.
struct TextMeasure {
    long long width;
    long long glyphs;
    long long spaces;
};

struct TextRun {
    const GFONT *font;
    const FontPlace *place;
    short effects;

    // The glyph of string byte `c`, or -1 where the font lacks it: a string
    // is drawn up to the first byte whose glyph is lacking.
    int glyph(char c) const;
    int glyph_width(int index) const;
    // Glyph width, doubled when wide, plus the italic shift of the advance row.
    int advance(int index) const;
    // How far italic text runs on past its last glyph.
    int tail() const;
    TextMeasure measure(const char *string) const;
};

// The current font with the current effects. Only for a current font.
TextRun current_run();
