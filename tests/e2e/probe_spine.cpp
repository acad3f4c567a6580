// Start-up, the two surfaces, the tick counter and shutdown in a real window.
#include <stdio.h>

#include "gem/internal.h"
#include "probe.h"

PROBE(spine)
{
    (void)argc;
    (void)argv;
    appl_init(0);
    char detail[128];
    check(SCREEN_W == 320 && SCREEN_H == 200, "screen is 320x200");
    check(Getrez() == 0, "Getrez is 0");
    check(_scrwid == 320 && _scrht == 200, "layer size is 320x200");
    check(Physbase() == NULL, "Physbase is null");
    check(_mevent.kinds == 0x54, "kinds is 0x54 after start-up");

    // Paint the visible screen, switch to the logical one: it holds a copy.
    handle = 0;
    rectfill(screen, 0, 0, 319, 199, 3);
    rectfill(screen, 10, 10, 20, 20, 5);
    Setscreen(1, 0);
    check(handle == 4, "Setscreen(1) selects the logical screen");
    check(getpixel(_logbmp, 15, 15) == 5 && getpixel(_logbmp, 100, 100) == 3,
          "logical screen holds a copy of the visible one");
    Setscreen(1, 0);
    check(handle == 4 && _oldhand == 0, "second Setscreen(1) keeps the saved handle");

    // Draw on the logical screen only; the visible screen does not change
    // until the switch back.
    Logbase()[50 * 320 + 60] = 9;
    check(getpixel(screen, 60, 50) == 3, "logical drawing is not visible yet");
    Setscreen(0, 0);
    check(handle == 0, "Setscreen(0) returns to the saved handle");
    check(getpixel(screen, 60, 50) == 9, "Setscreen(0) shows the logical screen");

    // The tick counter: about 1000 per second.
    int32_t t0 = _timer;
    sleep_ms(1000);
    int32_t dt = _timer - t0;
    snprintf(detail, sizeof detail, "%d ticks in 1000 ms", (int)dt);
    check(dt >= 900 && dt <= 1100, "tick counter runs at 1 kHz", detail);
    printf("ticks per second: %d\n", (int)dt);

    // appl_exit with the logical screen selected still ends with status 0;
    // the script reads the failure count.
    Setscreen(1, 0);
    printf("failures: %d\n", probe_failures());
    fflush(stdout);
    appl_exit();
}
