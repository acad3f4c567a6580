// A menu tree for tests and probes: three titles whose boxes have different
// widths, a disabled entry, a checked entry, and a box taller than its
// entries. Built as C arrays, and as a stored resource image of the same
// tree for rsrc_load.
#pragma once

#include <string>
#include <vector>

#include "../layer/objc_trees.h"

namespace menu_test {

// Object indices.
enum : short {
    ROOT = 0,
    BAR = 1,
    TITLES = 2,
    DESK = 3,
    FILE_TITLE = 4,
    OPTIONS = 5,
    BOXES = 6,
    DESK_BOX = 7,
    ABOUT = 8,
    HELP = 9,
    FILE_BOX = 10,
    OPEN = 11,
    SAVE = 12,
    QUIT = 13,
    OPTIONS_BOX = 14,
    GRID = 15,
    SNAP = 16,
    COUNT = 17
};

// The drop area (the root's height) and where the boxes lie on the screen
// (their frame is one pixel outside them, inside the one-pixel margin).
constexpr int DROP_ROWS = 100;
constexpr int TITLE_X = 8;  // the title area's left edge
constexpr int BOX_Y = 11;   // right under the titles: the pointer goes straight down
struct Place {
    int x, w, h;
};
constexpr Place DESK_PLACE = {8, 80, 16};
constexpr Place FILE_PLACE = {56, 120, 32};  // three entries, then 8 empty rows
constexpr Place OPTIONS_PLACE = {104, 96, 16};

// Centre of a title on the screen (titles are 48, 48 and 72 wide).
inline int title_x(short title)
{
    return TITLE_X + (title == DESK ? 24 : title == FILE_TITLE ? 72 : 132);
}
constexpr int TITLE_Y = 5;
// A point on entry `row` (0 first) of a box.
inline int entry_y(int row) { return BOX_Y + 8 * row + 3; }

struct Text {
    short index;
    const char *text;
};
const Text TEXTS[] = {
    {DESK, " Desk "}, {FILE_TITLE, " File "}, {OPTIONS, " Options "}, {ABOUT, "  About"},
    {HELP, "  Help"}, {OPEN, "  Open"},       {SAVE, "  Save"},       {QUIT, "  Quit"},
    {GRID, "  Grid"}, {SNAP, "  Snap"},
};

// White bar and boxes (colour 1 at 320 x 200), black text and frames.
inline OBJECT item(int type, int x, int y, int w, int h, int flags = 0)
{
    OBJECT o = objc_test::make(type, x, y, w, h, flags);
    o.ob_colbyte = 0x00;
    o.ob_fill = 1;
    return o;
}

inline std::vector<OBJECT> arrays()
{
    using objc_test::adopt;
    std::vector<OBJECT> t(COUNT);
    t[ROOT] = item(OT_IBOX, 0, 0, 320, DROP_ROWS);
    t[BAR] = item(OT_BOX, 0, 0, 300, 11);  // narrower than any screen: menu_bar widens it
    t[TITLES] = item(OT_IBOX, TITLE_X, 0, 168, 11);
    t[DESK] = item(OT_TITLE, 0, 0, 48, 11);
    t[FILE_TITLE] = item(OT_TITLE, 48, 0, 48, 11);
    t[OPTIONS] = item(OT_TITLE, 96, 0, 72, 11);
    t[BOXES] = item(OT_IBOX, 0, 0, 300, DROP_ROWS);
    const Place places[] = {DESK_PLACE, FILE_PLACE, OPTIONS_PLACE};
    const short boxes[] = {DESK_BOX, FILE_BOX, OPTIONS_BOX};
    for (int b = 0; b < 3; b++) {
        t[boxes[b]] = item(OT_BOX, places[b].x, BOX_Y, places[b].w, places[b].h, OF_FRAMED);
        for (short e = (short)(boxes[b] + 1); e < COUNT && (b == 2 || e < boxes[b + 1]); e++)
            t[e] = item(OT_STRING, 0, 8 * (e - boxes[b] - 1), places[b].w, 8);
    }
    t[SAVE].ob_flags |= OF_DISABLED;
    t[GRID].ob_flags |= OF_CHECKED;
    for (const Text &s : TEXTS)
        t[s.index].ob_spec = (long)s.text;
    adopt(t, ROOT, {BAR, BOXES});
    adopt(t, BAR, {TITLES});
    adopt(t, TITLES, {DESK, FILE_TITLE, OPTIONS});
    adopt(t, BOXES, {DESK_BOX, FILE_BOX, OPTIONS_BOX});
    adopt(t, DESK_BOX, {ABOUT, HELP});
    adopt(t, FILE_BOX, {OPEN, SAVE, QUIT});
    adopt(t, OPTIONS_BOX, {GRID, SNAP});
    objc_test::finish(t);
    return t;
}

// The same tree in the stored layout of a resource file: the strings, no
// formatted texts, the objects, and a one-entry tree index.
inline std::vector<unsigned char> stored_image()
{
    const std::vector<OBJECT> tree = arrays();
    std::vector<unsigned char> data;
    auto put16 = [&data](size_t at, int v) {
        data[at] = (unsigned char)(v & 0xff);
        data[at + 1] = (unsigned char)((v >> 8) & 0xff);
    };
    auto put32 = [&](size_t at, long v) {
        put16(at, (int)(v & 0xffff));
        put16(at + 2, (int)((v >> 16) & 0xffff));
    };
    std::vector<long> string_at(COUNT, 0);
    for (const Text &s : TEXTS) {
        string_at[s.index] = (long)data.size();
        data.insert(data.end(), s.text, s.text + std::string(s.text).size() + 1);
    }
    const size_t objects = data.size();
    data.resize(objects + 24 * COUNT + 4);
    for (int k = 0; k < COUNT; k++) {
        const OBJECT &o = tree[k];
        const size_t at = objects + 24 * (size_t)k;
        put16(at + 0, o.ob_next);
        put16(at + 2, o.ob_head);
        put16(at + 4, o.ob_tail);
        data[at + 6] = o.ob_type;
        data[at + 7] = o.ob_flags;
        data[at + 8] = o.ob_colbyte;
        data[at + 9] = o.ob_font;
        data[at + 10] = o.ob_border;
        data[at + 11] = o.ob_fill;
        put32(at + 12, o.ob_type > OT_BOXCHAR ? string_at[k] : o.ob_spec);
        put16(at + 16, o.ob_x);
        put16(at + 18, o.ob_y);
        put16(at + 20, o.ob_width);
        put16(at + 22, o.ob_height);
    }
    const size_t index = objects + 24 * COUNT;
    put32(index, (long)objects);

    std::vector<unsigned char> image(14);
    const int header[7] = {(int)data.size(), (int)objects, (int)objects, (int)index, 0, COUNT, 1};
    for (int i = 0; i < 7; i++) {
        image[2 * i] = (unsigned char)(header[i] & 0xff);
        image[2 * i + 1] = (unsigned char)((header[i] >> 8) & 0xff);
    }
    image.insert(image.end(), data.begin(), data.end());
    return image;
}

}  // namespace menu_test
