// The classic window calls: wind_get and wind_calc with outs of the
// program's widths, wind_set with LONG values (an address split in two is
// joined again for the texts), the GRECT forms of the later headers, and
// wind_update's check-and-set bit.
#include "gem/classic/internal.h"
#include "gem/classic/trees.h"

namespace {

// An address a program split into its high part (every bit above the low
// word) and its low word.
const char *joined(long high, long low)
{
    return reinterpret_cast<const char *>((unsigned long)high << 16 |
                                          ((unsigned long)low & 0xFFFF));
}

// A classic tree as the desktop's: the classic objects are not the layer's,
// so the tree cannot be handed on as it is. Refused: the desktop keeps what
// it shows.
// The desktop tree: the layer draws the tree's twin, which keeps its
// address while the tree keeps its length.
int set_newdesk(int whandle, const void *tree, int start)
{
    if (!tree)
        return wind_set_tree(whandle, WF_NEWDESK, nullptr, 0);
    OBJECT *twin = _gemc_tree_in(static_cast<GEMC_OBJECT *>(const_cast<void *>(tree)));
    return twin ? wind_set_tree(whandle, WF_NEWDESK, twin, start) : 0;
}

}  // namespace

int gemc_wind_update(int mode) { return wind_update(mode & 0xFF); }

// A field the layer does not answer gives 0 and zeros.
int gemc_wind_get(int whandle, int field, GEMC_REF a, GEMC_REF b, GEMC_REF c, GEMC_REF d)
{
    short v[4] = {0, 0, 0, 0};
    const int r = wind_get(whandle, field, &v[0], &v[1], &v[2], &v[3]);
    const GEMC_REF outs[4] = {a, b, c, d};
    for (int i = 0; i < 4; i++)
        gemc_put(outs[i], 0, v[i]);
    return r;
}

int gemc_wind_set(int whandle, int field, long a, long b, long c, long d)
{
    switch (field) {
    case WF_NAME:
    case WF_INFO: return wind_set_str(whandle, field, joined(a, b));
    case WF_NEWDESK: return set_newdesk(whandle, joined(a, b), (int)c);
    default: return wind_set(whandle, field, (int)a, (int)b, (int)c, (int)d);
    }
}

int gemc_wind_calc(int type, int kind, int x, int y, int w, int h, GEMC_REF x2, GEMC_REF y2,
                   GEMC_REF w2, GEMC_REF h2)
{
    short v[4] = {0, 0, 0, 0};
    const int r = wind_calc(type, kind, x, y, w, h, &v[0], &v[1], &v[2], &v[3]);
    const GEMC_REF outs[4] = {x2, y2, w2, h2};
    for (int i = 0; i < 4; i++)
        gemc_put(outs[i], 0, v[i]);
    return r;
}

int gemc_wind_get_grect(int whandle, int field, GRECT *r)
{
    if (!r)
        return 0;
    return wind_get(whandle, field, &r->g_x, &r->g_y, &r->g_w, &r->g_h);
}

int gemc_wind_set_grect(int whandle, int field, const GRECT *r)
{
    if (!r)
        return 0;
    return wind_set(whandle, field, r->g_x, r->g_y, r->g_w, r->g_h);
}

int gemc_wind_calc_grect(int type, int kind, const GRECT *in, GRECT *out)
{
    if (!in || !out)
        return 0;
    return wind_calc(type, kind, in->g_x, in->g_y, in->g_w, in->g_h, &out->g_x, &out->g_y,
                     &out->g_w, &out->g_h);
}
