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

// ---------------------------------------------------------------------------
// The extension (version 1): the fields after ob_height and the records of
// OT_IMAGE, OT_ICON and OT_USERDEF. Only an image that uses one of them
// carries it, inside the data block, whose last 8 bytes are then the
// trailer "GEMX", u16 version, u16 offset of the extension header. Images
// without it end with the tree index, whose entries have 0 high bytes.

constexpr int EXT_TRAILER_SIZE = 8;
constexpr unsigned EXT_VERSION = 1;
constexpr int EXT_HEADER_SIZE = 16;
constexpr int EXT_OBJECT_SIZE = 8;
constexpr int BITBLK_SIZE = 14;
constexpr int ICONBLK_SIZE = 34;
constexpr int USERBLK_SIZE = 4;

// Trailer fields (offsets inside the trailer).
constexpr int EXT_MAGIC = 0;
constexpr int EXT_VERSION_AT = 4;
constexpr int EXT_HEADER_AT = 6;

// Extension header fields: the object count, then offset and count of
// each table (the object table has rsh_nobs records).
constexpr int EXT_NOBS = 0;
constexpr int EXT_OBJECT = 2;
constexpr int EXT_BITBLK = 4;
constexpr int EXT_NBITBLKS = 6;
constexpr int EXT_ICONBLK = 8;
constexpr int EXT_NICONBLKS = 10;
constexpr int EXT_USERBLK = 12;
constexpr int EXT_NUSERBLKS = 14;

// Extended object fields.
constexpr int XOB_XFLAGS = 0;
constexpr int XOB_XSTATE = 2;
constexpr int XOB_XTYPE = 4;
constexpr int XOB_THICK = 5;
constexpr int XOB_JUST = 6;
constexpr int XOB_LOOK = 7;

// Bit image record fields; the data is bi_wb * bi_hl bytes of
// little-endian 16-bit words.
constexpr int BI_PDATA = 0;
constexpr int BI_WB = 4;
constexpr int BI_HL = 6;
constexpr int BI_X = 8;
constexpr int BI_Y = 10;
constexpr int BI_COLOR = 12;

// Icon record fields; mask and data planes as icon_plane_bytes says, the
// text a NUL-terminated string.
constexpr int IB_PMASK = 0;
constexpr int IB_PDATA = 4;
constexpr int IB_PTEXT = 8;
constexpr int IB_CHAR = 12;
constexpr int IB_XCHAR = 14;
constexpr int IB_YCHAR = 16;
constexpr int IB_XICON = 18;
constexpr int IB_YICON = 20;
constexpr int IB_WICON = 22;
constexpr int IB_HICON = 24;
constexpr int IB_XTEXT = 26;
constexpr int IB_YTEXT = 28;
constexpr int IB_WTEXT = 30;
constexpr int IB_HTEXT = 32;

// User-drawn object record field.
constexpr int UB_PARM = 0;

// Where the extension's tables lie; `present` false for an image without
// one.
struct Extension {
    bool present = false;
    unsigned header = 0;
    unsigned objects = 0;
    unsigned bitblks = 0, iconblks = 0, userblks = 0;
    int nbitblks = 0, niconblks = 0, nuserblks = 0;
};

// The codes of the record types. Before the extension they were plain
// boxes whose ob_spec held an inline value, and without it they still are.
inline bool is_record_type(int type)
{
    return type == OT_ICON || type == OT_FBOXTEXT || (type >= OT_TEXT && type <= OT_USERDEF) ||
           type == OT_BUTTON;
}

// What a stored object's ob_spec holds, by its type, its stored ob_xflags
// and whether the image has the extension.
enum class Spec { VALUE, STRING_AT, TEXT_RECORD, IMAGE_RECORD, ICON_RECORD, USER_RECORD, DATA_AT };
Spec spec_kind(int type, unsigned xflags, bool extended);

inline long bitblk_bytes(long wb, long hl) { return wb * hl; }
inline long icon_plane_bytes(long w, long h) { return (w + 15) / 16 * 2 * h; }

// The extension named by the trailer of the `h.rsh_rssize` bytes at `data`,
// with its header's offsets and counts. False when the trailer names one
// whose version, header or object count is wrong, or whose tables do not
// lie inside the block; true with `present` false when there is no trailer.
bool read_extension(const RSHDR &h, const unsigned char *data, Extension &x);

// The fields after ob_height from the extended object record at `xob`.
void read_extended_fields(const unsigned char *xob, OBJECT &o);

// The fields of a bit image or icon record; the pointers are left null
// (their offsets are read where they are used).
BITBLK read_bitblk(const unsigned char *rec);
ICONBLK read_iconblk(const unsigned char *rec);

// The header fields of an image (its first HEADER_SIZE bytes).
RSHDR read_header(const unsigned char *header);

// The fields of the stored object at `ob`; ob_spec holds the stored 32-bit
// value (inline data, or an offset the installer turns into an address).
OBJECT read_object(const unsigned char *ob);

// True when every table, string and record that the header, the extension
// and the objects name lies inside the header's rsh_rssize bytes of `data`
// and no size is negative: the check the installer makes before it builds
// anything from an image.
bool image_sound(const RSHDR &h, const unsigned char *data);

}  // namespace stored
