// The stored form of a resource image: a 14-byte header and a data block of
// strings, 12-byte formatted-text records, 24-byte objects and a tree index
// of 32-bit offsets, all little-endian. Files, the built-in image and images
// given to rsrc_include are in this form; the installer reads them byte-wise
// (never through a cast, the records need not be aligned) and builds the
// native records of gem.h from them.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "gem/gem.h"

namespace stored {

constexpr int HEADER_SIZE = 14;
constexpr int TEDINFO_SIZE = 12;
constexpr int OBJECT_SIZE = 24;
constexpr int TREE_ENTRY_SIZE = 4;

// Header fields (offsets inside the header).
constexpr int RSH_RSSIZE = 0;
constexpr int RSH_TEDINFO = 2;
constexpr int RSH_OBJECT = 4;
constexpr int RSH_TRINDEX = 6;
constexpr int RSH_NTEDS = 8;
constexpr int RSH_NOBS = 10;
constexpr int RSH_NTREES = 12;

// Formatted-text record fields.
constexpr int TE_PTEXT = 0;
constexpr int TE_PTMPLT = 4;
constexpr int TE_PVALID = 8;
constexpr int TE_PTXTLEN = 10;

// Object fields.
constexpr int OB_NEXT = 0;
constexpr int OB_HEAD = 2;
constexpr int OB_TAIL = 4;
constexpr int OB_TYPE = 6;
constexpr int OB_FLAGS = 7;
constexpr int OB_COLBYTE = 8;
constexpr int OB_FONT = 9;
constexpr int OB_BORDER = 10;
constexpr int OB_FILL = 11;
constexpr int OB_SPEC = 12;
constexpr int OB_X = 16;
constexpr int OB_Y = 18;
constexpr int OB_WIDTH = 20;
constexpr int OB_HEIGHT = 22;

// Types above this one hold an offset in ob_spec; the others inline data.
constexpr int LAST_INLINE_TYPE = 27;

inline unsigned read_u16(const unsigned char *p) { return (unsigned)p[0] | (unsigned)p[1] << 8; }

inline short read_s16(const unsigned char *p) { return (short)(uint16_t)read_u16(p); }

inline uint32_t read_u32(const unsigned char *p)
{
    return (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
}

// Index of the record of `size` bytes that starts at `at` in a table of
// `count` records at `base`, or -1 when `at` is not the start of one.
inline int record_index(uint32_t at, unsigned base, int count, int size)
{
    if (at < base || (at - base) % (unsigned)size != 0)
        return -1;
    const uint32_t index = (at - base) / (unsigned)size;
    return index < (uint32_t)count ? (int)index : -1;
}

// The types whose ob_spec holds a string offset, and a formatted-text
// record's offset.
inline bool is_string_type(int type) { return type == OT_STRING || type == OT_TITLE; }

inline bool is_text_type(int type)
{
    return type == OT_FTEXT || type == OT_EDTEXT || type == OT_SCROLLTEXT;
}

// The header fields of an image (its first HEADER_SIZE bytes).
RSHDR read_header(const unsigned char *header);

// The fields of the stored object at `ob`; ob_spec holds the stored 32-bit
// value (inline data, or an offset the installer turns into an address).
OBJECT read_object(const unsigned char *ob);

// True when every table, string and record that the header and the objects
// name lies inside the header's rsh_rssize bytes of `data`: the check the
// installer makes before it builds anything from an image.
bool image_sound(const RSHDR &h, const unsigned char *data);

}  // namespace stored
