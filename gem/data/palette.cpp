// The palette at start-up: the 16 interface colours, 6-bit in the display
// table and 8-bit in the defaults that Defaultpalette restores. Entries 16
// to 255 start black. A mode setting rewrites entries 0 and 1 of both.
#include "gem/internal.h"

RGB _palette[256] = {
    {63, 63, 63, 0},  // white
    {0, 0, 0, 0},     // black
    {63, 0, 0, 0},    // red
    {0, 63, 0, 0},    // green
    {0, 0, 63, 0},    // blue
    {0, 63, 63, 0},   // cyan
    {63, 63, 0, 0},   // yellow
    {63, 0, 63, 0},   // magenta
    {31, 31, 31, 0},  // grey
    {15, 15, 15, 0},  // dark grey
    {63, 31, 31, 0},  // light red
    {31, 63, 31, 0},  // light green
    {31, 31, 63, 0},  // light blue
    {31, 63, 63, 0},  // light cyan
    {63, 63, 31, 0},  // light yellow
    {63, 31, 63, 0},  // light magenta
};

unsigned char _defpal[48] = {
    255, 255, 255, 0,   0,   0,   255, 0,   0,   0,   255, 0,   0,   0,   255, 0,
    255, 255, 255, 255, 0,   255, 0,   255, 127, 127, 127, 63,  63,  63,  255, 127,
    127, 127, 255, 127, 127, 127, 255, 127, 255, 255, 255, 255, 127, 255, 127, 255,
};
