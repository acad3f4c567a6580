// Reading the extension of a stored image: its trailer, header and records.
// The checks that its records and their data lie inside the block are made
// with the rest of the image's in stored.cpp.
#include <string.h>

#include "gem/resource/stored.h"

namespace {

using namespace stored;

bool fits(unsigned at, long long count, int size, unsigned rssize)
{
    return (unsigned long long)at + (unsigned long long)count * (unsigned)size <= rssize;
}

}  // namespace

namespace stored {

Spec spec_kind(int type, unsigned xflags, bool extended)
{
    if (extended && (xflags & OX_INLINE))
        return Spec::VALUE;
    if (extended) {
        switch (type) {
        case OT_TEXT:
        case OT_BOXTEXT:
        case OT_FBOXTEXT: return Spec::TEXT_RECORD;
        case OT_BUTTON: return Spec::STRING_AT;
        case OT_IMAGE: return Spec::IMAGE_RECORD;
        case OT_ICON: return Spec::ICON_RECORD;
        case OT_USERDEF: return Spec::USER_RECORD;
        default: break;
        }
    }
    if (type <= LAST_INLINE_TYPE)
        return Spec::VALUE;
    if (is_string_type(type))
        return Spec::STRING_AT;
    if (is_text_type(type))
        return Spec::TEXT_RECORD;
    return Spec::DATA_AT;
}

bool read_extension(const RSHDR &h, const unsigned char *data, Extension &x)
{
    x = Extension{};
    const unsigned size = h.rsh_rssize;
    if (size < (unsigned)EXT_TRAILER_SIZE)
        return true;
    const unsigned char *trailer = data + size - EXT_TRAILER_SIZE;
    if (memcmp(trailer + EXT_MAGIC, "GEMX", 4) != 0)
        return true;
    x.present = true;
    x.header = read_u16(trailer + EXT_HEADER_AT);
    if (read_u16(trailer + EXT_VERSION_AT) != EXT_VERSION ||
        !fits(x.header, 1, EXT_HEADER_SIZE, size))
        return false;
    const unsigned char *p = data + x.header;
    x.objects = read_u16(p + EXT_OBJECT);
    x.bitblks = read_u16(p + EXT_BITBLK);
    x.nbitblks = (int)read_u16(p + EXT_NBITBLKS);
    x.iconblks = read_u16(p + EXT_ICONBLK);
    x.niconblks = (int)read_u16(p + EXT_NICONBLKS);
    x.userblks = read_u16(p + EXT_USERBLK);
    x.nuserblks = (int)read_u16(p + EXT_NUSERBLKS);
    return h.rsh_nobs >= 0 && read_u16(p + EXT_NOBS) == (unsigned)h.rsh_nobs &&
           fits(x.objects, h.rsh_nobs, EXT_OBJECT_SIZE, size) &&
           fits(x.bitblks, x.nbitblks, BITBLK_SIZE, size) &&
           fits(x.iconblks, x.niconblks, ICONBLK_SIZE, size) &&
           fits(x.userblks, x.nuserblks, USERBLK_SIZE, size);
}

void read_extended_fields(const unsigned char *xob, OBJECT &o)
{
    o.ob_xflags = (unsigned short)read_u16(xob + XOB_XFLAGS);
    o.ob_xstate = (unsigned short)read_u16(xob + XOB_XSTATE);
    o.ob_xtype = xob[XOB_XTYPE];
    o.ob_thick = (signed char)xob[XOB_THICK];
    o.ob_just = xob[XOB_JUST];
    o.ob_look = xob[XOB_LOOK];
}

BITBLK read_bitblk(const unsigned char *rec)
{
    BITBLK b;
    b.bi_pdata = nullptr;
    b.bi_wb = read_s16(rec + BI_WB);
    b.bi_hl = read_s16(rec + BI_HL);
    b.bi_x = read_s16(rec + BI_X);
    b.bi_y = read_s16(rec + BI_Y);
    b.bi_color = read_s16(rec + BI_COLOR);
    return b;
}

ICONBLK read_iconblk(const unsigned char *rec)
{
    ICONBLK b;
    b.ib_pmask = b.ib_pdata = nullptr;
    b.ib_ptext = nullptr;
    b.ib_char = read_s16(rec + IB_CHAR);
    b.ib_xchar = read_s16(rec + IB_XCHAR);
    b.ib_ychar = read_s16(rec + IB_YCHAR);
    b.ib_xicon = read_s16(rec + IB_XICON);
    b.ib_yicon = read_s16(rec + IB_YICON);
    b.ib_wicon = read_s16(rec + IB_WICON);
    b.ib_hicon = read_s16(rec + IB_HICON);
    b.ib_xtext = read_s16(rec + IB_XTEXT);
    b.ib_ytext = read_s16(rec + IB_YTEXT);
    b.ib_wtext = read_s16(rec + IB_WTEXT);
    b.ib_htext = read_s16(rec + IB_HTEXT);
    return b;
}

}  // namespace stored
