// Font images built by the tests: a tiny font whose every pixel the tests
// know, in either byte order, as a byte vector or as a heap block that the
// font list may own and free.
#pragma once

#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "gem/internal.h"

namespace testfont {

struct Layout {
    short first_ade = 0, last_ade = 0;
    short top = 0, height = 1, form_width = 1;
    short flags = 0;
    std::vector<short> offsets;       // last_ade - first_ade + 2 entries
    std::vector<unsigned char> form;  // height rows of form_width bytes
};

// The tests' own font, codes 0 to 'b', cell height 4, baseline row 2:
//   ' ' (index 32) two blank columns, 'a' three columns, 'b' two columns;
//   every other code is zero columns wide.
//        ' '   'a'   'b'
//   0    ..    #..   ##
//   1    ..    .#.   #.
//   2    ..    ..#   #.
//   3    ..    ###   .#
inline Layout tiny()
{
    Layout s;
    s.first_ade = 0;
    s.last_ade = 'b';
    s.top = 2;
    s.height = 4;
    s.form_width = 1;
    for (int n = 0; n <= 'b' + 1; n++)
        s.offsets.push_back(n <= ' ' ? 0 : n <= 'a' ? 2 : n == 'b' ? 5 : 7);
    // bits: [space space a a a b b -]
    s.form = {0x26, 0x14, 0x0C, 0x3A};
    return s;
}

inline void put16(std::vector<unsigned char> &img, size_t at, int v, bool big_endian)
{
    unsigned char lo = (unsigned char)(v & 0xFF), hi = (unsigned char)((v >> 8) & 0xFF);
    img[at] = big_endian ? hi : lo;
    img[at + 1] = big_endian ? lo : hi;
}

// The image of `s`: header, offset table, form. With `big_endian` every
// 16-bit value is stored high byte first and flags carry bit 0x0004, which
// reads as the 0x0400 mark in this machine's order.
inline std::vector<unsigned char> image(const Layout &s, bool big_endian = false)
{
    std::vector<unsigned char> img(88 + 2 * s.offsets.size() + s.form.size(), 0);
    put16(img, 0, 7, big_endian);   // font_id
    put16(img, 2, 10, big_endian);  // size
    memcpy(&img[4], "tiny test font", 14);
    put16(img, 36, s.first_ade, big_endian);
    put16(img, 38, s.last_ade, big_endian);
    put16(img, 40, s.top, big_endian);
    put16(img, 50, 3, big_endian);  // max_char_width
    put16(img, 52, 3, big_endian);  // max_cell_width
    put16(img, 66, s.flags | (big_endian ? 0x0004 : 0), big_endian);
    put16(img, 80, s.form_width, big_endian);
    put16(img, 82, s.height, big_endian);
    for (size_t n = 0; n < s.offsets.size(); n++)
        put16(img, 88 + 2 * n, s.offsets[n], big_endian);
    memcpy(&img[88 + 2 * s.offsets.size()], s.form.data(), s.form.size());
    return img;
}

// A heap copy that the font list may free when the font is unloaded.
inline void *heap_copy(const std::vector<unsigned char> &img)
{
    void *block = malloc(img.size());
    memcpy(block, img.data(), img.size());
    return block;
}

// Writes `img` to `path`; returns the path.
inline std::string write_file(const std::string &path, const std::vector<unsigned char> &img)
{
    FILE *f = fopen(path.c_str(), "wb");
    if (f) {
        if (!img.empty())
            fwrite(img.data(), 1, img.size(), f);
        fclose(f);
    }
    return path;
}

}  // namespace testfont
