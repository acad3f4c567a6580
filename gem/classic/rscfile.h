// Reading a classic .RSC file: a big-endian 36-byte header of 18 words,
// then objects (24 bytes), TEDINFOs (28), ICONBLKs (34), BITBLKs (14),
// strings, image words and the tree, free string and free image indices
// (32-bit offsets), wherever the header puts them.
//
// decode() checks everything before anything is used: every table lies in
// the file and is word-aligned, every offset names a record of the right
// table or a string that ends inside the file, every tree ends with a
// LASTOB object and its links form a tree, and nothing asks for more memory
// than the file's size bounds. The result is the file in host order, with
// offsets kept (strings and image words are read through it) and records
// named by their index in their table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace rscfile {

constexpr int HEADER_SIZE = 36;
constexpr int OBJECT_SIZE = 24;
constexpr int TEDINFO_SIZE = 28;
constexpr int ICONBLK_SIZE = 34;
constexpr int BITBLK_SIZE = 14;
constexpr int INDEX_ENTRY_SIZE = 4;

// An edit buffer longer than this (te_txtlen) is taken for damage: it keeps
// a small file from asking for megabytes.
constexpr int MAX_TXTLEN = 4096;

// The classic object types the file's ob_spec values depend on.
constexpr int G_BOX = 20, G_TEXT = 21, G_BOXTEXT = 22, G_IMAGE = 23, G_USERDEF = 24, G_IBOX = 25,
              G_BUTTON = 26, G_BOXCHAR = 27, G_STRING = 28, G_FTEXT = 29, G_FBOXTEXT = 30,
              G_ICON = 31, G_TITLE = 32;

// The classic flags the reader looks at.
constexpr unsigned LASTOB = 0x0020, INDIRECT = 0x0100;

struct Header {
    unsigned vrsn, object, tedinfo, iconblk, bitblk, frstr, string, imdata, frimg, trindex;
    unsigned nobs, ntree, nted, nib, nbb, nstring, nimages, rssize;
};

// What an object's ob_spec holds, by the low byte of its type.
enum class Spec { VALUE, STRING, TEDINFO_REC, ICONBLK_REC, BITBLK_REC };
Spec spec_kind(unsigned type);

struct Object {
    short next, head, tail;
    unsigned short type, flags, state;
    uint32_t spec;  // the inline value, or the offset of the string or record
    int record;     // TEDINFO, ICONBLK or BITBLK index; -1 for the others
    short x, y, w, h;
};

struct Tedinfo {
    uint32_t ptext, ptmplt, pvalid;
    short font, fontid, just, color, fontsize, thickness, txtlen, tmplen;
};

struct Iconblk {
    uint32_t pmask, pdata, ptext;
    short ib_char, xchar, ychar, xicon, yicon, wicon, hicon, xtext, ytext, wtext, htext;
};

struct Bitblk {
    uint32_t pdata;
    short wb, hl, x, y, color;
};

struct Tree {
    int root;   // object index
    int count;  // objects from the root up to and including the LASTOB one
};

struct Resource {
    Header header;
    std::vector<unsigned char> bytes;  // the file's first rssize bytes
    std::vector<Object> objects;
    std::vector<Tedinfo> teds;
    std::vector<Iconblk> icons;
    std::vector<Bitblk> bits;
    std::vector<Tree> trees;
    std::vector<uint32_t> frstr;  // offsets of the free strings
    std::vector<int> frimg;       // BITBLK index of each free image

    // The NUL-terminated string at a checked offset.
    std::string text(uint32_t at) const;
    // `count` big-endian words at a checked offset, in host order.
    std::vector<uint16_t> words(uint32_t at, size_t count) const;
};

// Bytes of one plane of an icon, and of a bit image.
inline long icon_plane_bytes(long w, long h) { return (w + 15) / 16 * 2 * h; }
inline long image_bytes(long wb, long hl) { return wb * hl; }

// The file's bytes to `out`; false with the reason (a sentence without the
// file's name) in `reason` when the file is damaged. `out` is only complete
// when true.
bool decode(const unsigned char *data, size_t size, Resource &out, std::string &reason);

}  // namespace rscfile
