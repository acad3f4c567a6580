// rsrc_obfix: an object's position and size from character cells to pixels.
#include "gem/internal.h"
#include "gem/resource/walk.h"

short _cells_to_pixels(short value, int cell)
{
    const unsigned v = (unsigned short)value;
    const long pixels = (long)(v & 0xff) * cell + (long)(v >> 8);
    return (short)(pixels < 32767 ? pixels : 32767);
}

int rsrc_obfix(OBJECT *tree, int obj)
{
    if (!tree || !_font)
        return 0;
    TreeGuard guard(tree);
    if (!guard.valid(obj))
        return 0;
    short wchar, hchar, wbox, hbox;
    graf_handle(&wchar, &hchar, &wbox, &hbox);
    OBJECT &ob = tree[obj];
    ob.ob_x = _cells_to_pixels(ob.ob_x, wchar);
    ob.ob_y = _cells_to_pixels(ob.ob_y, hchar);
    ob.ob_width = _cells_to_pixels(ob.ob_width, wchar);
    ob.ob_height = _cells_to_pixels(ob.ob_height, hchar);
    return 1;
}
