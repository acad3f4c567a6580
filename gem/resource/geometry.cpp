// Object geometry: absolute positions of objects (objc_offset, _relocate)
// and the object under a point (objc_find, _narrow).
//
// Positions are relative to the parent; the root's is absolute. A parent's
// children run from ob_head along ob_next until the chain comes back to the
// parent. Every walk is bounded by a TreeGuard, so damaged links end a
// search instead of looping or leaving the object array.
#include "gem/internal.h"
#include "gem/resource/walk.h"

namespace {

// Searches the subtree of `index` for `target`; (x, y) is the absolute
// origin of index's parent and receives target's position on success.
int relocate(TreeGuard &guard, OBJECT *tree, short index, short target, short *x, short *y,
             int nesting)
{
    if (!guard.valid(index) || !guard.visit(nesting))
        return 0;
    const OBJECT &o = tree[index];
    const short ax = (short)(*x + o.ob_x);
    const short ay = (short)(*y + o.ob_y);
    if (index == target) {
        *x = ax;
        *y = ay;
        return 1;
    }
    // The search does not look below the tree's last object.
    if (o.ob_flags & OF_LASTOB)
        return 0;
    for (short c = o.ob_head; c != index; c = tree[c].ob_next) {
        if (!guard.valid(c) || guard.exhausted())
            return 0;
        short cx = ax, cy = ay;
        if (relocate(guard, tree, c, target, &cx, &cy, nesting + 1)) {
            *x = cx;
            *y = cy;
            return 1;
        }
    }
    return 0;
}

// The object of the subtree of `o` under the point (x, y), relative to o's
// top-left corner; -1 when the point is outside o or o is disabled.
short narrow(TreeGuard &guard, OBJECT *tree, short o, short x, short y, int nesting)
{
    if (!guard.valid(o) || !guard.visit(nesting))
        return NIL;
    const OBJECT &ob = tree[o];
    // A border of 255 widens the hit area by one pixel on every side.
    const int m = ob.ob_border == 255 ? 1 : 0;
    if (x < -m || y < -m || x >= ob.ob_width + m || y >= ob.ob_height + m ||
        (ob.ob_flags & OF_DISABLED))
        return NIL;
    // The first child in sibling order that holds the point wins.
    for (short c = ob.ob_head; c != o; c = tree[c].ob_next) {
        if (!guard.valid(c) || guard.exhausted())
            break;
        const short found = narrow(guard, tree, c, (short)(x - tree[c].ob_x),
                                   (short)(y - tree[c].ob_y), nesting + 1);
        if (found != NIL)
            return found;
    }
    return o;
}

}  // namespace

int _relocate(OBJECT *tree, short index, short target, short *x, short *y)
{
    if (!tree)
        return 0;
    TreeGuard guard(tree);
    return relocate(guard, tree, index, target, x, y, 0);
}

int objc_offset(OBJECT *tree, int obj, short *x, short *y)
{
    if (obj < 0 || obj > TreeGuard::MAX_OBJECTS)
        return 0;
    short ox = 0, oy = 0;
    if (!_relocate(tree, 0, (short)obj, &ox, &oy))
        return 0;
    *x = ox;
    *y = oy;
    return 1;
}

void _narrow(OBJECT *tree, short *idx, short x, short y)
{
    if (!tree) {
        *idx = NIL;
        return;
    }
    TreeGuard guard(tree);
    *idx = narrow(guard, tree, *idx, x, y, 0);
}

int objc_find(OBJECT *tree, int start, int depth, int mx, int my)
{
    (void)depth;  // the search always goes down to the leaves
    short ox, oy;
    // A start that is not found below the root finds nothing.
    if (!objc_offset(tree, start, &ox, &oy))
        return NIL;
    short idx = (short)start;
    _narrow(tree, &idx, (short)(mx - ox), (short)(my - oy));
    return idx;
}
