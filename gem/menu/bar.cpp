// The menu bar: showing a menu tree along the top of the screen over a saved
// strip, taking it away again, and the calls that change the flag bits of
// titles and entries.
#include <stdlib.h>

#include "gem/internal.h"
#include "gem/menu/saved_area.h"
#include "gem/resource/walk.h"

OBJECT *_menu = NULL;
short _menupx[8] = {0, 0, 0, 0, 0, 0, 0, 0};
MFDB _menufdb = {NULL, 0, 0, 0, 0, 0, 0, 0, 0};
short _boxstart = 0;

namespace {

// The bar strip: the top rows of the screen, whatever the tree's sizes.
constexpr short STRIP_ROWS = GEM_MENU_ROWS;

void put_strip_back()
{
    _area_copy(_menupx, &_menufdb, &_screen);
    menu_area::give_back(_menufdb);
    _menu = NULL;
}

void set_width(OBJECT *tree, TreeGuard &guard, int index)
{
    if (guard.valid(index))
        tree[index].ob_width = _scrwid;
}

// Sets `bit` in the object's flags when `on`, clears it otherwise; 0 for an
// index that is not an object of the tree.
int change_flag(OBJECT *tree, int index, unsigned char bit, bool on)
{
    if (!tree)
        return 0;
    TreeGuard guard(tree);
    if (!guard.valid(index))
        return 0;
    if (on)
        tree[index].ob_flags |= bit;
    else
        tree[index].ob_flags &= (unsigned char)~bit;
    return 1;
}

}  // namespace

int menu_bar(OBJECT *tree, int show)
{
    if (!show) {
        // Hiding a tree that is not the current menu does nothing.
        if (tree && tree == _menu)
            put_strip_back();
        return 1;
    }
    if (!tree)
        return 0;

    // The new strip's block is taken first: without it the bar is not shown
    // and whatever was shown before stays as it was.
    MFDB strip;
    if (!menu_area::take(strip, _scrwid, STRIP_ROWS))
        return 0;
    // A strip saved by an earlier bar that was never taken away is dropped
    // without being copied back: the screen now shows that bar.
    menu_area::give_back(_menufdb);
    _menufdb = strip;
    _menu = tree;
    const short pxy[8] = {0, 0, (short)(_scrwid - 1), STRIP_ROWS - 1,
                          0, 0, (short)(_scrwid - 1), STRIP_ROWS - 1};
    for (int i = 0; i < 8; i++)
        _menupx[i] = pxy[i];
    _area_copy(_menupx, &_screen, &_menufdb);

    TreeGuard guard(tree);
    const short container = tree->ob_tail;
    _boxstart = guard.valid(container) ? tree[container].ob_head : (short)NIL;
    set_width(tree, guard, 0);
    set_width(tree, guard, 1);
    set_width(tree, guard, container);

    objc_draw(tree, 0, 1, 0, 0, 0, 0);
    objc_draw(tree, 1, 8, 0, 0, 0, 0);
    return 1;
}

int menu_tnormal(OBJECT *tree, int index, int normal)
{
    if (!change_flag(tree, index, OF_SELECTED, !normal))
        return 0;
    objc_draw(tree, index, 1, 0, 0, 0, 0);
    return 1;
}

int menu_icheck(OBJECT *tree, int index, int check)
{
    return change_flag(tree, index, OF_CHECKED, check != 0);
}

int menu_ienable(OBJECT *tree, int index, int enable)
{
    return change_flag(tree, index, OF_DISABLED, !enable);
}
