// The built-in dialog resource: file selector (tree 0), alert box (tree 1)
// and input box (tree 2), as the 2556-byte stored image that start-up
// installs with rsrc_include.
//
// The image is built at compile time from the tables below, which list every
// string with its offset, every formatted-text record and every object field
// by field. The checks at the end make the compiler refuse a table that does
// not add up (a string that does not end where the next begins, a record
// outside its area, an image of the wrong size).
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "gem/internal.h"
#include "gem/resource/stored.h"

namespace {

using namespace stored;

constexpr int DATA_SIZE = 2542;
constexpr int IMAGE_SIZE = HEADER_SIZE + DATA_SIZE;
constexpr int TEDINFO_AT = 1006;
constexpr int OBJECT_AT = 1042;
constexpr int TRINDEX_AT = 2530;
constexpr int NTEDS = 3;
constexpr int NOBS = 62;
constexpr int NTREES = 3;

// ---------------------------------------------------------------------------
// String area, offsets from the start of the data block. `count` copies of
// the text follow one another, each with its NUL.

struct StringRun {
    int at;
    const char *text;
    int count;
};

constexpr const char X18[] = "xxxxxxxxxxxxxxxxxx";                // 18
constexpr const char X32[] = "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx";  // 32
constexpr const char U38[] = "______________________________________";
constexpr const char U24[] = "________________________";

constexpr StringRun STRINGS[] = {
    {0, X18, 31},     // file selector slots, objects 7-37
    {589, "C  ", 1},  // file selector extension filters, 41-45
    {593, "H  ", 1},
    {597, "TXT", 1},
    {601, "DOC", 1},
    {605, "PCX", 1},
    {609, X32, 4},              // alert message lines 2-5 (609, 642, 675, 708)
    {741, "BUTTON", 1},         // alert button 2
    {748, "BUTTON", 1},         // alert button 3
    {755, "Input", 1},          // input box title
    {761, "Return", 1},         // input box button
    {768, "Which", 1},          // alert title
    {774, X32, 1},              // alert message line 1
    {807, "BUTTON", 1},         // alert button 1
    {814, "Select a file", 1},  // file selector title
    {828, U38, 1},              // TEDINFO 0 text: directory path
    {867, U38, 1},              // TEDINFO 0 template
    {906, "Select", 1},         // file selector buttons
    {913, "Cancel", 1},
    {920, U24, 1},           // TEDINFO 1 text: file name
    {945, U24, 1},           // TEDINFO 1 template
    {970, "*", 1},           // file selector filter "*"
    {972, X18, 1},           // file selector slot, object 6
    {991, "___", 1},         // TEDINFO 2 text: input field
    {995, "Input: ___", 1},  // TEDINFO 2 template
};

// ---------------------------------------------------------------------------
// Formatted-text records.

struct TedDef {
    int ptext, ptmplt;
    short pvalid, ptxtlen;
};

constexpr TedDef TEDINFOS[NTEDS] = {
    {828, 867, 'X', 256},  // 0: file selector path
    {920, 945, 'X', 128},  // 1: file selector file name
    {991, 995, 'x', 0},    // 2: input box field
};

// ob_spec of an object that uses formatted-text record n.
constexpr uint32_t T(int n) { return TEDINFO_AT + TEDINFO_SIZE * n; }

// ---------------------------------------------------------------------------
// Objects, in array order. Columns as in the object record: links, type,
// flags, colours (high nibble frame, low nibble text), font, border, fill,
// position, size, ob_spec (a string offset, T(n), or the inline value).

struct ObjDef {
    short next, head, tail;
    uint8_t type, flags, colbyte, font, border, fill;
    short x, y, w, h;
    uint32_t obspec;
};

constexpr uint8_t DEF_EXIT_FRAMED = OF_DEFAULT | OF_EXIT | OF_FRAMED;
constexpr uint8_t EXIT_FRAMED = OF_EXIT | OF_FRAMED;
constexpr uint8_t EXIT_LAST_FRAMED = OF_EXIT | OF_LASTOB | OF_FRAMED;

// File selector name slot k (6-37): two columns of 16 inside object 5.
constexpr ObjDef slot(int k)
{
    const int row = (k - 6) % 16;
    return {(short)(k == 37 ? 5 : k + 1),
            -1,
            -1,
            OT_STRING,
            OF_EXIT,
            0x11,
            0,
            0,
            0,
            (short)(k < 22 ? 8 : 168),
            (short)(4 + 8 * row),
            144,
            8,
            (uint32_t)(k == 6 ? 972 : 19 * (k - 7))};
}

constexpr ObjDef OBJECTS[NOBS] = {
    // Tree 0: file selector (array objects 0-47)
    /*  0 */ {-1, 1, 47, OT_BOX, OF_FRAMED, 0x10, 0, 1, 0, 2, 30, 320, 200, 0},
    /*  1 */ {2, -1, -1, OT_STRING, 0, 0x13, 0, 0, 0, 101, 2, 104, 8, 814},
    /*  2 */ {3, -1, -1, OT_SCROLLTEXT, 0, 0x01, 0, 0, 0, 8, 12, 304, 8, T(0)},
    /*  3 */ {4, -1, -1, OT_BOXCHAR, EXIT_FRAMED, 0x11, 0, 1, 0, 12, 24, 24, 16, 1},
    /*  4 */ {5, -1, -1, OT_SCROLLTEXT, 0, 0x01, 0, 0, 0, 60, 32, 192, 8, T(1)},
    /*  5 */ {38, 6, 37, OT_IBOX, OF_FRAMED, 0x10, 0, 1, 0, 0, 44, 320, 136, 0},
    // Eight slots a row.
    // clang-format off
    slot(6), slot(7), slot(8), slot(9), slot(10), slot(11), slot(12), slot(13),
    slot(14), slot(15), slot(16), slot(17), slot(18), slot(19), slot(20), slot(21),
    slot(22), slot(23), slot(24), slot(25), slot(26), slot(27), slot(28), slot(29),
    slot(30), slot(31), slot(32), slot(33), slot(34), slot(35), slot(36), slot(37),
    // clang-format on
    /* 38 */ {39, -1, -1, OT_STRING, DEF_EXIT_FRAMED, 0x11, 0, 1, 3, 76, 184, 66, 12, 906},
    /* 39 */ {40, -1, -1, OT_STRING, EXIT_FRAMED, 0x11, 0, 1, 2, 184, 184, 66, 12, 913},
    /* 40 */ {41, -1, -1, OT_STRING, OF_EXIT, 0x11, 0, 0, 0, 60, 22, 24, 8, 970},
    /* 41 */ {42, -1, -1, OT_STRING, OF_EXIT, 0x11, 0, 0, 0, 92, 22, 24, 8, 589},
    /* 42 */ {43, -1, -1, OT_STRING, OF_EXIT, 0x11, 0, 0, 0, 124, 22, 24, 8, 593},
    /* 43 */ {44, -1, -1, OT_STRING, OF_EXIT, 0x11, 0, 0, 0, 156, 22, 24, 8, 597},
    /* 44 */ {45, -1, -1, OT_STRING, OF_EXIT, 0x11, 0, 0, 0, 188, 22, 24, 8, 601},
    /* 45 */ {46, -1, -1, OT_STRING, OF_EXIT, 0x11, 0, 0, 0, 220, 22, 24, 8, 605},
    /* 46 */ {47, -1, -1, OT_BOXCHAR, EXIT_FRAMED, 0x11, 0, 1, 0, 8, 184, 16, 12, 4},
    /* 47 */ {0, -1, -1, OT_BOXCHAR, EXIT_LAST_FRAMED, 0x11, 0, 1, 0, 296, 184, 16, 12, 3},

    // Tree 1: alert box (array objects 48-57)
    /*  0 */ {-1, 1, 9, OT_BOX, OF_FRAMED, 0x10, 0, 1, 0, 2, 30, 272, 104, 0},
    /*  1 */ {2, -1, -1, OT_STRING, 0, 0x12, 1, 0, 0, 112, 4, 40, 16, 768},
    /*  2 */ {3, -1, -1, OT_STRING, 0, 0x11, 0, 0, 0, 8, 24, 256, 8, 774},
    /*  3 */ {4, -1, -1, OT_STRING, 0, 0x11, 0, 0, 0, 8, 36, 256, 8, 609},
    /*  4 */ {5, -1, -1, OT_STRING, 0, 0x11, 0, 0, 0, 8, 48, 256, 8, 642},
    /*  5 */ {6, -1, -1, OT_STRING, 0, 0x11, 0, 0, 0, 8, 60, 256, 8, 675},
    /*  6 */ {7, -1, -1, OT_STRING, 0, 0x11, 0, 0, 0, 8, 72, 256, 8, 708},
    /*  7 */ {8, -1, -1, OT_STRING, DEF_EXIT_FRAMED, 0x11, 0, 1, 0, 8, 88, 66, 12, 807},
    /*  8 */ {9, -1, -1, OT_STRING, EXIT_FRAMED, 0x11, 0, 1, 0, 104, 88, 66, 12, 741},
    /*  9 */ {0, -1, -1, OT_STRING, EXIT_LAST_FRAMED, 0x11, 0, 1, 0, 192, 88, 66, 12, 748},

    // Tree 2: input box (array objects 58-61)
    /*  0 */ {-1, 1, 3, OT_BOX, OF_FRAMED, 0x10, 0, 1, 0, 2, 30, 108, 68, 0},
    /*  1 */ {2, -1, -1, OT_EDTEXT, 0, 0x01, 0, 0, 0, 16, 32, 80, 8, T(2)},
    /*  2 */ {3, -1, -1, OT_STRING, DEF_EXIT_FRAMED, 0x11, 0, 1, 0, 16, 48, 66, 12, 761},
    /*  3 */ {0, -1, -1, OT_STRING, OF_LASTOB, 0x02, 1, 0, 0, 28, 6, 48, 16, 755},
};

// Tree index: the array objects 0, 48 and 58.
constexpr int TREE_ROOTS[NTREES] = {0, 48, 58};

// ---------------------------------------------------------------------------
// Building the image.

using Image = std::array<unsigned char, IMAGE_SIZE>;

constexpr void put16(Image &img, int at, int value)
{
    img[at] = (unsigned char)(value & 0xff);
    img[at + 1] = (unsigned char)((value >> 8) & 0xff);
}

constexpr void put32(Image &img, int at, uint32_t value)
{
    put16(img, at, (int)(value & 0xffff));
    put16(img, at + 2, (int)(value >> 16));
}

constexpr int length(const char *s)
{
    int n = 0;
    while (s[n])
        n++;
    return n;
}

// Writes the strings; the data offset of the next free byte, or -1 when a
// run does not start where the previous one ended.
constexpr int put_strings(Image &img)
{
    int next = 0;
    for (const StringRun &run : STRINGS) {
        if (run.at != next)
            return -1;
        const int len = length(run.text);
        for (int c = 0; c < run.count; c++) {
            for (int i = 0; i <= len; i++)
                img[HEADER_SIZE + next + i] = (unsigned char)run.text[i];
            next += len + 1;
        }
    }
    return next;
}

constexpr void put_object(Image &img, int at, const ObjDef &o)
{
    put16(img, at + OB_NEXT, o.next);
    put16(img, at + OB_HEAD, o.head);
    put16(img, at + OB_TAIL, o.tail);
    img[at + OB_TYPE] = o.type;
    img[at + OB_FLAGS] = o.flags;
    img[at + OB_COLBYTE] = o.colbyte;
    img[at + OB_FONT] = o.font;
    img[at + OB_BORDER] = o.border;
    img[at + OB_FILL] = o.fill;
    put32(img, at + OB_SPEC, o.obspec);
    put16(img, at + OB_X, o.x);
    put16(img, at + OB_Y, o.y);
    put16(img, at + OB_WIDTH, o.w);
    put16(img, at + OB_HEIGHT, o.h);
}

struct Built {
    Image image;
    int strings_end;
};

constexpr Built build()
{
    Built b{};
    Image &img = b.image;
    put16(img, RSH_RSSIZE, DATA_SIZE);
    put16(img, RSH_TEDINFO, TEDINFO_AT);
    put16(img, RSH_OBJECT, OBJECT_AT);
    put16(img, RSH_TRINDEX, TRINDEX_AT);
    put16(img, RSH_NTEDS, NTEDS);
    put16(img, RSH_NOBS, NOBS);
    put16(img, RSH_NTREES, NTREES);

    b.strings_end = put_strings(img);
    for (int t = 0; t < NTEDS; t++) {
        const int at = HEADER_SIZE + TEDINFO_AT + TEDINFO_SIZE * t;
        put32(img, at + TE_PTEXT, (uint32_t)TEDINFOS[t].ptext);
        put32(img, at + TE_PTMPLT, (uint32_t)TEDINFOS[t].ptmplt);
        put16(img, at + TE_PVALID, TEDINFOS[t].pvalid);
        put16(img, at + TE_PTXTLEN, TEDINFOS[t].ptxtlen);
    }
    for (int k = 0; k < NOBS; k++)
        put_object(img, HEADER_SIZE + OBJECT_AT + OBJECT_SIZE * k, OBJECTS[k]);
    for (int t = 0; t < NTREES; t++)
        put32(img, HEADER_SIZE + TRINDEX_AT + TREE_ENTRY_SIZE * t,
              (uint32_t)(OBJECT_AT + OBJECT_SIZE * TREE_ROOTS[t]));
    return b;
}

constexpr Built BUILT = build();

// The areas follow one another with no gap and fill the data block.
static_assert(BUILT.strings_end == TEDINFO_AT, "strings must end where the records begin");
static_assert(TEDINFO_AT + TEDINFO_SIZE * NTEDS == OBJECT_AT, "records must end at the objects");
static_assert(OBJECT_AT + OBJECT_SIZE * NOBS == TRINDEX_AT, "objects must end at the tree index");
static_assert(TRINDEX_AT + TREE_ENTRY_SIZE * NTREES == DATA_SIZE, "tree index must end the block");
static_assert(IMAGE_SIZE == sizeof(_guirsh), "image size");

}  // namespace

// The image is writable: the alert, input and file selector boxes rewrite
// their strings in place. It is filled from the built tables before main.
unsigned char _guirsh[2556];

namespace {
[[maybe_unused]] const bool guirsh_filled =
    (std::memcpy(_guirsh, BUILT.image.data(), sizeof _guirsh), true);
}  // namespace
