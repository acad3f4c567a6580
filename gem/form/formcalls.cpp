// One key (form_keybd) or one press (form_button) of a dialog, as form_do
// handles them, for programs that run their own loop over evnt_multi; and
// the order of a dialog's fields, which form_do shares.
//
// A press on an OX_SELECTABLE object selects it: a plain one toggles, an
// OX_RBUTTON one is selected and its selected OX_RBUTTON siblings are
// deselected. An OX_TOUCHEXIT object ends the dialog at the press; an
// OX_SELECTABLE object with OF_EXIT only when the button is released over
// it (graf_watchbox). An OF_EXIT object of the one-byte model ends it at
// the press, as it always has. Selections show at once, drawn within the
// dialog's rectangle (the root's).
#include "gem/form/dialog.h"
#include "gem/resource/walk.h"

namespace {

constexpr int TAB = 9;
// The bit a double click on an OX_TOUCHEXIT object sets in the result.
constexpr int DOUBLE_CLICK = 0x8000;

void put(short *place, int value)
{
    if (place)
        *place = (short)value;
}

void change(OBJECT *tree, int obj, int state)
{
    const OBJECT &root = tree[0];
    objc_change(tree, obj, 0, root.ob_x, root.ob_y, root.ob_width, root.ob_height, state, 1);
}

bool is_selected(const OBJECT &ob) { return ob.ob_flags & OF_SELECTED; }

// The selected OX_RBUTTON siblings of `obj` are deselected.
void deselect_siblings(OBJECT *tree, int obj)
{
    std::vector<short> siblings;
    const short parent = _ob_parent(tree, obj);
    if (parent == NIL || !_ob_children(tree, parent, siblings))
        return;
    for (short s : siblings)
        if (s != obj && (tree[s].ob_xflags & OX_RBUTTON) && is_selected(tree[s]))
            change(tree, s, _ob_state(&tree[s]) & ~OS_SELECTED);
}

void select_radio(OBJECT *tree, int obj)
{
    deselect_siblings(tree, obj);
    if (!is_selected(tree[obj]))
        change(tree, obj, _ob_state(&tree[obj]) | OS_SELECTED);
}

// A selectable exit button: selected while the pointer is over it; it ends
// the dialog only when released there, else it is left as it was.
int watched_exit(OBJECT *tree, int obj, short *next_obj)
{
    const int before = _ob_state(&tree[obj]);
    if (!graf_watchbox(tree, obj, before | OS_SELECTED, before))
        return 1;
    if (tree[obj].ob_xflags & OX_RBUTTON)
        deselect_siblings(tree, obj);
    put(next_obj, obj);
    return 0;
}

// The object that ends the dialog: an OX_SELECTABLE one is drawn
// selected; one of the one-byte model is only marked, as form_do always
// left it.
void select_ending(OBJECT *tree, int obj)
{
    if (tree[obj].ob_xflags & OX_SELECTABLE)
        change(tree, obj, _ob_state(&tree[obj]) | OS_SELECTED);
    else
        tree[obj].ob_flags |= OF_SELECTED;
}

short default_object(const OBJECT *tree, int size)
{
    for (int i = 0; i < size; i++)
        if (tree[i].ob_flags & OF_DEFAULT)
            return (short)i;
    return NIL;
}

bool shown_field(const OBJECT &ob)
{
    return _field_kind(ob) != FieldKind::NONE && !(ob.ob_flags & OF_HIDDEN);
}

}  // namespace

int _tree_size(const OBJECT *tree)
{
    const int room = _rsrc_room(tree);
    const int limit = room >= 0 ? room : TreeGuard::MAX_OBJECTS;
    for (int i = 0; i < limit; i++)
        if (tree[i].ob_flags & OF_LASTOB)
            return i + 1;
    return limit;
}

short _next_field(const OBJECT *tree, int size, int from, int step)
{
    if (size < 2)
        return 0;
    int i = from >= 0 && from < size ? from : 0;
    for (int steps = 0; steps < size; steps++) {
        if (step > 0)
            i = (tree[i].ob_flags & OF_LASTOB) || i + 1 >= size ? 1 : i + 1;
        else
            i = i <= 1 ? size - 1 : i - 1;
        if (shown_field(tree[i]))
            return (short)i;
    }
    return 0;
}

int form_keybd(OBJECT *tree, int obj, int next, int key, short *next_obj, short *next_key)
{
    (void)next;  // where the cursor goes is decided here
    put(next_obj, obj);
    put(next_key, 0);
    if (!tree)
        return 1;
    const int size = _tree_size(tree);
    int step = 0;
    switch (key) {
    case K_RETURN: {
        // Without a default object Return does nothing.
        const short d = default_object(tree, size);
        if (d == NIL)
            return 1;
        select_ending(tree, d);
        put(next_obj, d);
        return 0;
    }
    case TAB:
    case K_DOWN: step = 1; break;
    case K_UP: step = -1; break;
    default: put(next_key, key); return 1;
    }
    const short field = _next_field(tree, size, obj, step);
    if (field)
        put(next_obj, field);
    return 1;
}

int form_button(OBJECT *tree, int obj, int clicks, short *next_obj)
{
    put(next_obj, 0);
    if (!tree)
        return 1;
    TreeGuard guard(tree);
    if (!guard.valid(obj))
        return 1;
    OBJECT &ob = tree[obj];
    // A disabled object is not selected, and a selectable exit button
    // that is disabled does nothing.
    const bool selectable = ob.ob_xflags & OX_SELECTABLE;
    const bool active = selectable && !(ob.ob_flags & OF_DISABLED);
    const bool touch_exit = ob.ob_xflags & OX_TOUCHEXIT;
    const bool exit = ob.ob_flags & OF_EXIT;
    if (active && exit && !touch_exit)
        return watched_exit(tree, obj, next_obj);
    if (active && (ob.ob_xflags & OX_RBUTTON))
        select_radio(tree, obj);
    else if (active)
        change(tree, obj, _ob_state(&ob) ^ OS_SELECTED);
    if (touch_exit) {
        put(next_obj, obj | (clicks >= 2 ? DOUBLE_CLICK : 0));
        return 0;
    }
    if (exit && !selectable) {
        select_ending(tree, obj);
        put(next_obj, obj);
        return 0;
    }
    if (_field_kind(ob) != FieldKind::NONE)
        put(next_obj, obj);
    return 1;
}
