// The three built-in trees drawn with their factory texts on the 320x200
// screen, one after another, centred on a grey background. After each one
// the probe prints "drawn NAME" and waits for a key, so that the script can
// take its screenshot.
#include <stdio.h>

#include "gem/internal.h"
#include "probe.h"

namespace {

constexpr int GREY = 8;

void show_centred(OBJECT *tree)
{
    tree->ob_x = (short)((_scrwid - tree->ob_width) / 2);
    tree->ob_y = (short)((_scrht - tree->ob_height) / 2);
    vsf_color(handle, GREY);
    v_clrwk(handle);
    vsf_color(handle, 0);
    objc_draw(tree, 0, 8, 0, 0, 0, 0);
}

// Both frames of a default button: one pixel outside, one on its edge.
bool double_frame(OBJECT *tree, int obj)
{
    short x, y;
    objc_offset(tree, obj, &x, &y);
    const int w = tree[obj].ob_width, h = tree[obj].ob_height;
    return getpixel(screen, x - 1, y - 1) == 1 && getpixel(screen, x, y) == 1 &&
           getpixel(screen, x + w, y + h) == 1 && getpixel(screen, x + w - 1, y + h - 1) == 1 &&
           getpixel(screen, x + 1, y + 1) == tree[obj].ob_fill;
}

// One frame on the edge of a button that is not the default.
bool edge_frame_only(OBJECT *tree, int obj)
{
    short x, y;
    objc_offset(tree, obj, &x, &y);
    return getpixel(screen, x - 1, y - 1) == tree[0].ob_fill && getpixel(screen, x, y) == 1;
}

void await_shot(const char *name)
{
    printf("drawn %s\n", name);
    fflush(stdout);
    evnt_keybd();
}

}  // namespace

PROBE(objc_trees)
{
    (void)argc;
    (void)argv;
    appl_init(0);
    v_hide_c(handle);  // no pointer in the pictures

    show_centred(_fselbox);
    check(getpixel(screen, 0, 0) == 1 && getpixel(screen, 319, 199) == 1,
          "file selector frame on the screen edge");
    check(double_frame(_fselbox, 38), "Select is the default button");
    check(edge_frame_only(_fselbox, 39), "Cancel has one frame");
    await_shot("fselbox");

    show_centred(_alertbox);
    check(double_frame(_alertbox, 7), "first alert button is the default");
    check(edge_frame_only(_alertbox, 8), "second alert button has one frame");
    check(getpixel(screen, 23, 47) == GREY, "alert leaves the screen around it");
    await_shot("alertbox");

    show_centred(_inputbox);
    check(double_frame(_inputbox, 2), "Return has a two-pixel frame");
    check(_fontno == 0 && _textcol == 1 && _fillcol == 0 && _linecol == 1,
          "attributes restored after drawing");
    await_shot("inputbox");

    printf("failures: %d\n", probe_failures());
    fflush(stdout);
    appl_exit();
}
