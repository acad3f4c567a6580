// The menu calls on classic trees, and rsrc_obfix on a classic array. The
// layer keeps the menu's twin while the bar shows; the events write what
// the user changed in it back (_gemc_trees_out).
#include "gem/classic/trees.h"

int gemc_menu_bar(GEMC_OBJECT *tree, int show)
{
    if (!tree)
        return show ? 0 : 1;
    return _gemc_with_tree(tree, 0, [&](OBJECT *t) { return menu_bar(t, show); });
}

int gemc_menu_icheck(GEMC_OBJECT *tree, int item, int check)
{
    return _gemc_with_tree(tree, 0, [&](OBJECT *t) { return menu_icheck(t, item, check); });
}

int gemc_menu_ienable(GEMC_OBJECT *tree, int item, int enable)
{
    return _gemc_with_tree(tree, 0, [&](OBJECT *t) { return menu_ienable(t, item, enable); });
}

int gemc_menu_tnormal(GEMC_OBJECT *tree, int title, int normal)
{
    return _gemc_with_tree(tree, 0, [&](OBJECT *t) { return menu_tnormal(t, title, normal); });
}

int gemc_menu_text(GEMC_OBJECT *tree, int item, const char *text)
{
    return _gemc_with_tree(tree, 0, [&](OBJECT *t) { return menu_text(t, item, text); });
}

int gemc_rsrc_obfix(GEMC_OBJECT *tree, int obj)
{
    if (!tree || obj < 0 || !_font)
        return 0;
    short wchar, hchar, wbox, hbox;
    graf_handle(&wchar, &hchar, &wbox, &hbox);
    GEMC_OBJECT &ob = tree[obj];
    ob.ob_x = _cells_to_pixels(ob.ob_x, wchar);
    ob.ob_y = _cells_to_pixels(ob.ob_y, hchar);
    ob.ob_width = _cells_to_pixels(ob.ob_width, wchar);
    ob.ob_height = _cells_to_pixels(ob.ob_height, hchar);
    return 1;
}
