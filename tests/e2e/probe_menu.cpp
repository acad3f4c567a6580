// The menu bar and the interactive rectangles with the real mouse: the
// script drops boxes by moving over titles, chooses an entry with a click,
// then stretches a rubber band and drags a box. The probe prints what the
// calls returned; the script checks the screen through screenshots.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "gem/internal.h"
#include "probe.h"
#include "tests/support/menu_tree.h"

namespace {

constexpr int DESKTOP = 8;  // grey

void say(const char *line)
{
    printf("%s\n", line);
    fflush(stdout);
}

void paint_desktop()
{
    vsf_color(handle, DESKTOP);
    v_clrwk(handle);
}

// Waits for a left press and returns where it was.
void await_press(short *x, short *y)
{
    short b, k;
    evnt_button(1, 1, 1, x, y, &b, &k);
}

}  // namespace

// Shows the menu bar and waits for a menu choice, then a rubber band and a
// drag, each started by a left press.
PROBE(menu_track)
{
    (void)argc;
    (void)argv;
    appl_init(0);
    paint_desktop();
    std::vector<OBJECT> tree = menu_test::arrays();
    check(menu_bar(tree.data(), 1) == 1, "menu_bar shows the bar");
    say("ready menu");

    short msg[8] = {-1, -2, -3, -4, -5, -6, -7, -8};
    short mx, my, mb, ks, key, n;
    const int got = evnt_multi(EV_MESSAGE | EV_KEYBOARD, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, msg,
                               0, 0, &mx, &my, &mb, &ks, &key, &n);
    printf("events %d message %d %d %d %d %d %d %d %d\n", got, msg[0], msg[1], msg[2], msg[3],
           msg[4], msg[5], msg[6], msg[7]);
    check(!(tree[menu_test::SNAP].ob_flags & OF_SELECTED), "Snap is no longer selected");
    check(_boxfdb.fd_addr == NULL, "the save area is freed");
    fflush(stdout);

    short x, y, w, h;
    say("ready rubber");
    await_press(&x, &y);
    say("pressed rubber");
    graf_rubberbox(x, y, 10, 10, &w, &h);
    printf("rubber from %d %d size %d %d\n", x, y, w, h);

    say("ready drag");
    await_press(&x, &y);
    say("pressed drag");
    // A 40 x 30 box whose top-left corner is 10 pixels up and left of the
    // press, inside the bound (20, 20)-(299, 179).
    short fx, fy;
    graf_dragbox(40, 30, x - 10, y - 10, 20, 20, 280, 160, &fx, &fy);
    printf("drag from %d %d to %d %d\n", x - 10, y - 10, fx, fy);

    menu_bar(tree.data(), 0);
    printf("failures: %d\n", probe_failures());
    fflush(stdout);
    appl_exit();
}

// Waits (argv[1]: multi, mesag, rubber) until the script ends it; the
// script measures the processor use meanwhile. "multi" asks for every
// event with the menu bar shown: a key, a right click, the pointer in a
// far corner or out of the screen, a menu message, or a minute passing.
// "rubber" holds a rubber band from the first left press until release.
PROBE(menu_wait)
{
    const char *what = argc > 1 ? argv[1] : "multi";
    appl_init(0);
    paint_desktop();
    std::vector<OBJECT> tree = menu_test::arrays();
    menu_bar(tree.data(), 1);
    short msg[8], mx, my, mb, ks, key, n, x, y, w, h;
    _mouse_event();
    if (!strcmp(what, "rubber")) {
        say("ready rubber");
        await_press(&x, &y);
        say("held rubber");
        graf_rubberbox(x, y, 0, 0, &w, &h);
    } else if (!strcmp(what, "mesag")) {
        say("ready mesag");
        evnt_mesag(msg);
        printf("message %d\n", msg[0]);
    } else {
        say("ready multi");
        evnt_multi(EV_KEYBOARD | EV_BUTTON | EV_RECT1 | EV_RECT2 | EV_MESSAGE | EV_TIMER, 1, 2, 2,
                   0, 310, 190, 10, 10, 1, 0, 0, 320, 200, msg, 60000, 0, &mx, &my, &mb, &ks, &key,
                   &n);
    }
    printf("done %s\n", what);
    printf("failures: %d\n", probe_failures());
    fflush(stdout);
    appl_exit();
}
