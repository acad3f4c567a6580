// graf_watchbox: an object that follows the pointer while the left button
// is held, in one state over the object and another off it; the dialog
// calls use it for a button that acts only when released over it. It polls
// like the layer's other tracking loops, giving the processor up with
// _idle() between two polls.
#include "gem/internal.h"
#include "gem/resource/walk.h"

namespace {

bool inside(const GRECT &r, int x, int y)
{
    return x >= r.g_x && x < r.g_x + r.g_w && y >= r.g_y && y < r.g_y + r.g_h;
}

}  // namespace

int graf_watchbox(OBJECT *tree, int obj, int instate, int outstate)
{
    if (!tree)
        return 0;
    TreeGuard guard(tree);
    short x, y;
    if (!guard.valid(obj) || !objc_offset(tree, obj, &x, &y))
        return 0;
    const GRECT box = {x, y, tree[obj].ob_width, tree[obj].ob_height};
    // A state word is 16 bits: the object keeps no more of one.
    instate &= 0xffff;
    outstate &= 0xffff;
    // The first poll counts as the loop's first: a button already up ends
    // the call at once, with the state the pointer's place asks for.
    for (_mouse_event();; _idle(), _mouse_event()) {
        const bool over = inside(box, _mevent.x, _mevent.y);
        const int state = over ? instate : outstate;
        if (_ob_state(&tree[obj]) != state)
            objc_change(tree, obj, 0, box.g_x, box.g_y, box.g_w, box.g_h, state, 1);
        if (!(_mevent.buttons & 1))
            return over ? 1 : 0;
    }
}
