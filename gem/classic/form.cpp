// The form calls on classic trees, and form_dial with its classic meaning:
// FMD_GROW and FMD_SHRINK only draw boxes, so a program's START, GROW,
// SHRINK, FINISH saves the screen under the dialog once and puts it back
// once, its outline included.
#include <vector>

#include "gem/classic/keys.h"
#include "gem/classic/trees.h"

namespace {

constexpr int FMD_START = 0, FMD_GROW = 1, FMD_SHRINK = 2, FMD_FINISH = 3;

// A classic dialog's root is mostly OUTLINED: its outline lies this far
// outside the box form_center gives.
constexpr int OUTLINE = 3;

// The areas each open FMD_START saved, innermost last.
std::vector<int> &opened()
{
    static std::vector<int> counts;
    return counts;
}

// Saves the ring of the outline in an area of its own around the box's, so
// that the box's area stays the innermost: the dialog loop measures
// presses from its corner.
int start(int x, int y, int w, int h)
{
    const int outer = form_dial(FMD_START, 0, 0, 0, 0, x - OUTLINE, y - OUTLINE, w + 2 * OUTLINE,
                                h + 2 * OUTLINE);
    if (!form_dial(FMD_START, 0, 0, 0, 0, x, y, w, h)) {
        if (outer)
            form_dial(FMD_FINISH, 0, 0, 0, 0, 0, 0, 0, 0);
        return 0;
    }
    opened().push_back(outer + 1);
    return 1;
}

// A FINISH with no START of the profile's open puts back one area.
int finish()
{
    int areas = 1, done = 0;
    if (!opened().empty()) {
        areas = opened().back();
        opened().pop_back();
    }
    for (int i = 0; i < areas; i++)
        done = form_dial(FMD_FINISH, 0, 0, 0, 0, 0, 0, 0, 0);
    return done;
}

}  // namespace

int gemc_form_dial(int flag, int lx, int ly, int lw, int lh, int x, int y, int w, int h)
{
    switch (flag) {
    case FMD_START: return start(x, y, w, h);
    case FMD_GROW: return graf_growbox(lx, ly, lw, lh, x, y, w, h);
    case FMD_SHRINK: return graf_shrinkbox(lx, ly, lw, lh, x, y, w, h);
    case FMD_FINISH: return finish();
    default: return 0;
    }
}

int gemc_form_do(GEMC_OBJECT *tree, int start)
{
    return _gemc_with_tree(tree, -1, [&](OBJECT *t) { return form_do(t, start); });
}

int gemc_form_center(GEMC_OBJECT *tree, GEMC_REF x, GEMC_REF y, GEMC_REF w, GEMC_REF h)
{
    return _gemc_with_tree(tree, 0, [&](OBJECT *t) {
        short cx, cy, cw, ch;
        const int done = form_center(t, &cx, &cy, &cw, &ch);
        gemc_put(x, 0, cx);
        gemc_put(y, 0, cy);
        gemc_put(w, 0, cw);
        gemc_put(h, 0, ch);
        return done;
    });
}

int gemc_form_center_grect(GEMC_OBJECT *tree, GRECT *r)
{
    return _gemc_with_tree(tree, 0, [&](OBJECT *t) {
        GRECT c;
        const int done = form_center(t, &c.g_x, &c.g_y, &c.g_w, &c.g_h);
        if (r)
            *r = c;
        return done;
    });
}

// A refused tree reaches the layer as a null one: the dialog goes on, as
// the layer's calls answer for no tree.
int gemc_form_keybd(GEMC_OBJECT *tree, int obj, int next, int key, GEMC_REF next_obj,
                    GEMC_REF next_key)
{
    OBJECT *twin = _gemc_tree_in(tree);
    short out_obj = 0, out_key = 0;
    const int going_on = form_keybd(twin, obj, next, _gemc_key_layer(key), &out_obj, &out_key);
    if (twin)
        _gemc_tree_out(tree);
    gemc_put(next_obj, 0, out_obj);
    gemc_put(next_key, 0, out_key ? _gemc_key_classic(out_key) : 0);
    return going_on;
}

int gemc_form_button(GEMC_OBJECT *tree, int obj, int clicks, GEMC_REF next_obj)
{
    OBJECT *twin = _gemc_tree_in(tree);
    short out_obj = 0;
    const int going_on = form_button(twin, obj, clicks, &out_obj);
    if (twin)
        _gemc_tree_out(tree);
    gemc_put(next_obj, 0, out_obj);
    return going_on;
}
