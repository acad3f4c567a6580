// Reading and checking the header and tables of a stored image. Kept apart
// from the installer so that tools can check images without the rest of
// the layer.
#include "gem/resource/stored.h"

#include <string.h>

namespace {

using namespace stored;

// Checking a stored image against its header: nothing below reads outside
// the rsh_rssize bytes of the data block.

bool table_fits(unsigned at, int count, int size, unsigned rssize)
{
    return count >= 0 && (unsigned long)at + (unsigned long)count * (unsigned)size <= rssize;
}

// A string starts inside the block and ends with a NUL inside it.
bool string_fits(uint32_t at, const unsigned char *data, unsigned rssize)
{
    return at < rssize && memchr(data + at, 0, rssize - at) != nullptr;
}

// The stored ob_xflags of object k: 0 without the extension.
unsigned stored_xflags(const Extension &x, const unsigned char *data, int k)
{
    return x.present ? read_u16(data + x.objects + EXT_OBJECT_SIZE * k + XOB_XFLAGS) : 0;
}

bool object_sound(const RSHDR &h, const Extension &x, const unsigned char *data, int k)
{
    const unsigned char *ob = data + h.rsh_object + OBJECT_SIZE * k;
    const unsigned xflags = stored_xflags(x, data, k);
    const uint32_t obspec = read_u32(ob + OB_SPEC);
    if (xflags & OX_INDIRECT)
        return false;  // it names an address, which no stored image holds
    switch (spec_kind(ob[OB_TYPE], xflags, x.present)) {
    case Spec::VALUE: return true;
    case Spec::STRING_AT: return string_fits(obspec, data, h.rsh_rssize);
    case Spec::TEXT_RECORD:
        return record_index(obspec, h.rsh_tedinfo, h.rsh_nteds, TEDINFO_SIZE) >= 0;
    case Spec::IMAGE_RECORD: return record_index(obspec, x.bitblks, x.nbitblks, BITBLK_SIZE) >= 0;
    case Spec::ICON_RECORD: return record_index(obspec, x.iconblks, x.niconblks, ICONBLK_SIZE) >= 0;
    case Spec::USER_RECORD: return record_index(obspec, x.userblks, x.nuserblks, USERBLK_SIZE) >= 0;
    case Spec::DATA_AT: break;
    }
    return obspec < h.rsh_rssize;
}

// `bytes` bytes at `at`, not negative, inside the block.
bool data_fits(uint32_t at, long bytes, unsigned rssize)
{
    return bytes >= 0 && (unsigned long long)at + (unsigned long long)bytes <= rssize;
}

bool bitblk_sound(const unsigned char *rec, unsigned rssize)
{
    const BITBLK b = read_bitblk(rec);
    return b.bi_wb >= 0 && b.bi_hl >= 0 && b.bi_wb % 2 == 0 &&
           data_fits(read_u32(rec + BI_PDATA), bitblk_bytes(b.bi_wb, b.bi_hl), rssize);
}

bool iconblk_sound(const unsigned char *rec, const unsigned char *data, unsigned rssize)
{
    const ICONBLK b = read_iconblk(rec);
    const long plane = icon_plane_bytes(b.ib_wicon, b.ib_hicon);
    return b.ib_wicon >= 0 && b.ib_hicon >= 0 && b.ib_wtext >= 0 && b.ib_htext >= 0 &&
           data_fits(read_u32(rec + IB_PMASK), plane, rssize) &&
           data_fits(read_u32(rec + IB_PDATA), plane, rssize) &&
           string_fits(read_u32(rec + IB_PTEXT), data, rssize);
}

bool extension_sound(const RSHDR &h, const Extension &x, const unsigned char *data)
{
    for (int i = 0; i < x.nbitblks; i++)
        if (!bitblk_sound(data + x.bitblks + BITBLK_SIZE * i, h.rsh_rssize))
            return false;
    for (int i = 0; i < x.niconblks; i++)
        if (!iconblk_sound(data + x.iconblks + ICONBLK_SIZE * i, data, h.rsh_rssize))
            return false;
    return true;
}

}  // namespace

namespace stored {

RSHDR read_header(const unsigned char *h)
{
    RSHDR r;
    r.rsh_rssize = (unsigned short)read_u16(h + RSH_RSSIZE);
    r.rsh_tedinfo = (unsigned short)read_u16(h + RSH_TEDINFO);
    r.rsh_object = (unsigned short)read_u16(h + RSH_OBJECT);
    r.rsh_trindex = (unsigned short)read_u16(h + RSH_TRINDEX);
    r.rsh_nteds = read_s16(h + RSH_NTEDS);
    r.rsh_nobs = read_s16(h + RSH_NOBS);
    r.rsh_ntrees = read_s16(h + RSH_NTREES);
    return r;
}

OBJECT read_object(const unsigned char *ob)
{
    OBJECT o = {};  // the fields after ob_height are 0 unless the extension gives them
    o.ob_next = read_s16(ob + OB_NEXT);
    o.ob_head = read_s16(ob + OB_HEAD);
    o.ob_tail = read_s16(ob + OB_TAIL);
    o.ob_type = ob[OB_TYPE];
    o.ob_flags = ob[OB_FLAGS];
    o.ob_colbyte = ob[OB_COLBYTE];
    o.ob_font = ob[OB_FONT];
    o.ob_border = ob[OB_BORDER];
    o.ob_fill = ob[OB_FILL];
    o.ob_spec = (long)read_u32(ob + OB_SPEC);
    o.ob_x = read_s16(ob + OB_X);
    o.ob_y = read_s16(ob + OB_Y);
    o.ob_width = read_s16(ob + OB_WIDTH);
    o.ob_height = read_s16(ob + OB_HEIGHT);
    return o;
}

bool image_sound(const RSHDR &h, const unsigned char *data)
{
    const unsigned size = h.rsh_rssize;
    if (!table_fits(h.rsh_tedinfo, h.rsh_nteds, TEDINFO_SIZE, size) ||
        !table_fits(h.rsh_object, h.rsh_nobs, OBJECT_SIZE, size) ||
        !table_fits(h.rsh_trindex, h.rsh_ntrees, TREE_ENTRY_SIZE, size))
        return false;
    for (int t = 0; t < h.rsh_nteds; t++) {
        const unsigned char *ted = data + h.rsh_tedinfo + TEDINFO_SIZE * t;
        if (!string_fits(read_u32(ted + TE_PTEXT), data, size) ||
            !string_fits(read_u32(ted + TE_PTMPLT), data, size))
            return false;
    }
    Extension x;
    if (!read_extension(h, data, x) || !extension_sound(h, x, data))
        return false;
    for (int k = 0; k < h.rsh_nobs; k++) {
        if (!object_sound(h, x, data, k))
            return false;
    }
    for (int t = 0; t < h.rsh_ntrees; t++) {
        const uint32_t at = read_u32(data + h.rsh_trindex + TREE_ENTRY_SIZE * t);
        if (record_index(at, h.rsh_object, h.rsh_nobs, OBJECT_SIZE) < 0)
            return false;
    }
    return true;
}

}  // namespace stored
