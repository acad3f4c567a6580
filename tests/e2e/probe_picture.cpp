// The converter's picture on the real screen in its own colours, the arrow
// cursor that the first poll brings up, and the user timer hook.
//
//   gem_probe picture PICTURE.pcx SYNC_DIR
//     In the tool's order: start-up ("started", then waits for SYNC_DIR/go1),
//     the first poll over a red backdrop ("cursor at X Y", "cursor shown",
//     waits for go2), the picture loaded as the converter loads it ("picture
//     shown", waits for go3), then appl_exit.
//   gem_probe retime
//     vex_retime with Allegro's real timer.
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include "../../app/pcx2spr.h"
#include "gem/internal.h"
#include "probe.h"

namespace {

// Waits up to 20 s for the test script to create `dir`/`name`.
bool wait_for(const char *dir, const char *name)
{
    char path[512];
    snprintf(path, sizeof path, "%s/%s", dir, name);
    for (int i = 0; i < 2000; i++) {
        if (access(path, F_OK) == 0)
            return true;
        sleep_ms(10);
    }
    return false;
}

void say(const char *line)
{
    printf("%s\n", line);
    fflush(stdout);
}

volatile int slow_ticks, fast_ticks;
void slow_tick(void) { slow_ticks = slow_ticks + 1; }
void fast_tick(void) { fast_ticks = fast_ticks + 1; }

}  // namespace

PROBE(picture)
{
    if (argc < 3) {
        check(false, "arguments", "PICTURE SYNC_DIR");
        return;
    }
    appl_init(0);
    check(_mousedrawn == 0, "cursor not drawn before the first poll");
    check(_colors == 17 && _mouse.shape[0] == 16, "arrow outline added as entry 16");
    rectfill(screen, 140, 80, 200, 140, 2);  // red, so the black outline shows
    say("started");
    check(wait_for(argv[2], "go1"), "script took the start-up screenshot");

    _mouse_event();
    check(_mousedrawn == 1, "first poll draws the cursor");
    sleep_ms(300);  // let the X11 driver put the cursor on the window
    printf("cursor at %d %d\n", mouse_x - _mouse.hotx, mouse_y - _mouse.hoty);
    say("cursor shown");
    check(wait_for(argv[2], "go2"), "script took the cursor screenshot");

    size = size_from_name(argv[1]);
    snprintf(dirname, sizeof dirname, "%s", argv[1]);
    const char *why = loadpcx();
    check(why == NULL, "picture loaded", why ? why : "");
    check(handle == 0 && _mousedrawn == 1, "visible screen and cursor back");
    sleep_ms(300);
    say("picture shown");
    check(wait_for(argv[2], "go3"), "script took the picture screenshot");

    printf("failures: %d\n", probe_failures());
    fflush(stdout);
    appl_exit();
}

PROBE(retime)
{
    (void)argc;
    (void)argv;
    appl_init(0);
    char detail[96];

    void (*old)(void) = fast_tick;
    int result = vex_retime(handle, slow_tick, &old, 10);
    check(result == 0, "install_int accepted the routine");
    check(old == NULL, "no earlier routine on the first call");
    check(_trout == slow_tick, "_trout holds the routine");
    sleep_ms(500);
    int slow = slow_ticks;
    snprintf(detail, sizeof detail, "%d calls in 500 ms", slow);
    check(slow >= 35 && slow <= 65, "10 ms routine runs about 50 times in 500 ms", detail);

    // A second routine: the place gets the first, which keeps running.
    vex_retime(handle, fast_tick, &old, 5);
    check(old == slow_tick && _trout == fast_tick, "place receives the previous routine");
    sleep_ms(500);
    snprintf(detail, sizeof detail, "%d fast, %d slow calls", (int)fast_ticks, slow_ticks - slow);
    check(fast_ticks >= 70 && fast_ticks <= 130, "5 ms routine runs about 100 times", detail);
    check(slow_ticks - slow >= 35, "the earlier routine is still installed", detail);

    // Without a place, the routine is only recorded.
    vex_retime(handle, slow_tick, NULL, 10);
    check(_trout == slow_tick, "null place: _trout replaced");

    printf("failures: %d\n", probe_failures());
    fflush(stdout);
    appl_exit();
}
