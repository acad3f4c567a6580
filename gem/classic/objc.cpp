// The object calls on classic trees: each runs the layer's call on the
// tree's twin. objc_draw and objc_change take a clip rectangle where the
// layer's objc_draw takes a place, and objc_edit classic key codes.
#include "gem/classic/keys.h"
#include "gem/classic/trees.h"

namespace {

GRECT rect(int x, int y, int w, int h) { return {(short)x, (short)y, (short)w, (short)h}; }

}  // namespace

int gemc_objc_draw(GEMC_OBJECT *tree, int start, int depth, int xc, int yc, int wc, int hc)
{
    const GRECT clip = rect(xc, yc, wc, hc);
    return gemc_objc_draw_grect(tree, start, depth, &clip);
}

int gemc_objc_draw_grect(GEMC_OBJECT *tree, int start, int depth, const GRECT *clip)
{
    return _gemc_with_tree(tree, 0, [&](OBJECT *t) {
        if (start < 0 || start >= _gemc_tree_length(tree))
            return 0;
        return _objc_draw_clip(t, start, depth, clip);
    });
}

int gemc_objc_find(GEMC_OBJECT *tree, int start, int depth, int mx, int my)
{
    return _gemc_with_tree(tree, NIL,
                           [&](OBJECT *t) { return objc_find(t, start, depth, mx, my); });
}

int gemc_objc_offset(GEMC_OBJECT *tree, int obj, GEMC_REF x, GEMC_REF y)
{
    return _gemc_with_tree(tree, 0, [&](OBJECT *t) {
        short ox = 0, oy = 0;
        if (!objc_offset(t, obj, &ox, &oy))
            return 0;
        gemc_put(x, 0, ox);
        gemc_put(y, 0, oy);
        return 1;
    });
}

int gemc_objc_change(GEMC_OBJECT *tree, int obj, int reserved, int xc, int yc, int wc, int hc,
                     int newstate, int redraw)
{
    return _gemc_with_tree(tree, 0, [&](OBJECT *t) {
        return objc_change(t, obj, reserved, xc, yc, wc, hc, newstate, redraw);
    });
}

int gemc_objc_change_grect(GEMC_OBJECT *tree, int obj, int reserved, const GRECT *clip,
                           int newstate, int redraw)
{
    if (!clip)
        return 0;
    return gemc_objc_change(tree, obj, reserved, clip->g_x, clip->g_y, clip->g_w, clip->g_h,
                            newstate, redraw);
}

int gemc_objc_edit(GEMC_OBJECT *tree, int obj, int key, GEMC_REF idx, int kind)
{
    return _gemc_with_tree(tree, 0, [&](OBJECT *t) {
        short at = (short)gemc_get(idx, 0);
        const int done = objc_edit(t, obj, _gemc_key_layer(key), idx.p ? &at : nullptr, kind);
        if (done)
            gemc_put(idx, 0, at);
        return done;
    });
}

int gemc_objc_add(GEMC_OBJECT *tree, int parent, int child)
{
    return _gemc_with_tree(tree, 0, [&](OBJECT *t) { return objc_add(t, parent, child); });
}

int gemc_objc_delete(GEMC_OBJECT *tree, int obj)
{
    return _gemc_with_tree(tree, 0, [&](OBJECT *t) { return objc_delete(t, obj); });
}

int gemc_objc_order(GEMC_OBJECT *tree, int obj, int position)
{
    return _gemc_with_tree(tree, 0, [&](OBJECT *t) { return objc_order(t, obj, position); });
}

int gemc_graf_slidebox(GEMC_OBJECT *tree, int parent, int slider, int vertical)
{
    return _gemc_with_tree(tree, 0,
                           [&](OBJECT *t) { return graf_slidebox(t, parent, slider, vertical); });
}

int gemc_graf_watchbox(GEMC_OBJECT *tree, int obj, int instate, int outstate)
{
    return _gemc_with_tree(tree, 0,
                           [&](OBJECT *t) { return graf_watchbox(t, obj, instate, outstate); });
}
