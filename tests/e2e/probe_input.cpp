// Input in a real window: key codes and clicks from xdotool, the precision
// of evnt_timer, and programs that just wait (the script measures their
// processor use). Every probe says "ready" once it starts waiting.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include <algorithm>
#include <vector>

#include "gem/internal.h"
#include "probe.h"

static void ready(const char *what)
{
    printf("ready %s\n", what);
    fflush(stdout);
}

// The value below which `share` of the values lie.
static long percentile(std::vector<long> v, double share)
{
    std::sort(v.begin(), v.end());
    return v[(size_t)(share * (double)(v.size() - 1))];
}

static long median(const std::vector<long> &v) { return percentile(v, 0.5); }

static long worst(const std::vector<long> &v) { return *std::max_element(v.begin(), v.end()); }

static long now_us(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000000L + ts.tv_nsec / 1000;
}

// Prints every key as "key CODE kbstat STATE" until 'q'.
PROBE(input_keys)
{
    (void)argc;
    (void)argv;
    appl_init(0);
    ready("keys");
    for (;;) {
        int code = evnt_keybd();
        printf("key %d kbstat %d\n", code, _mevent.kbstat);
        fflush(stdout);
        if (code == 'q')
            break;
    }
    printf("failures: %d\n", probe_failures());
    fflush(stdout);
    appl_exit();
}

// Two left clicks, then one right click; prints where they were.
PROBE(input_clicks)
{
    (void)argc;
    (void)argv;
    appl_init(0);
    short x, y, b, k;
    ready("clicks");
    int n = evnt_button(2, 1, 1, &x, &y, &b, &k);
    printf("left %d at %d %d\n", n, x, y);
    fflush(stdout);
    n = evnt_button(1, 2, 2, &x, &y, &b, &k);
    printf("right %d at %d %d buttons %d\n", n, x, y, b);
    printf("failures: %d\n", probe_failures());
    fflush(stdout);
    appl_exit();
}

// How late evnt_timer returns, by the tick counter and by the wall clock,
// over many spans. The machine's own lateness (a plain 1 ms sleep) is
// printed beside it: on a loaded machine every wake-up comes late.
PROBE(input_timer)
{
    (void)argc;
    (void)argv;
    appl_init(0);
    const int spans[] = {1, 2, 3, 5, 10, 20, 50, 100, 250};
    std::vector<long> late_us, late_ticks, sleep_late_us;
    for (int round = 0; round < 8; round++) {
        for (int span : spans) {
            _mouse_event();
            int32_t target = _mevent.time + span;
            long w0 = now_us();
            evnt_timer(span, 0);
            late_us.push_back(now_us() - w0 - span * 1000L);
            late_ticks.push_back(_timer - target);
            w0 = now_us();
            sleep_ms(1);
            sleep_late_us.push_back(now_us() - w0 - 1000);
        }
    }
    long median_us = median(late_us), median_ticks = median(late_ticks);
    printf("evnt_timer lateness: median %ld us (%ld ticks), 90%% within %ld us, worst %ld us "
           "(%ld ticks); a 1 ms sleep: median %ld us late, worst %ld us\n",
           median_us, median_ticks, percentile(late_us, 0.9), worst(late_us), worst(late_ticks),
           median(sleep_late_us), worst(sleep_late_us));
    char detail[120];
    snprintf(detail, sizeof detail, "median %ld us, %ld ticks", median_us, median_ticks);
    check(median_us <= 2000 && median_ticks <= 2, "evnt_timer ends within 2 ms of its target",
          detail);
    check(*std::min_element(late_ticks.begin(), late_ticks.end()) >= 0,
          "evnt_timer never ends before its target", "");
    printf("failures: %d\n", probe_failures());
    fflush(stdout);
    appl_exit();
}

// Waits in one call (argv[1]: keybd, button, timer, mouse, dialog,
// selector, sleep) until the script ends it with a key, a click, a mouse
// move or, for the timer and sleep, after `argv[2]` ms. "dialog" is an
// alert left open, "selector" the file selector. "sleep" is the baseline:
// Allegro's own threads.
PROBE(input_wait)
{
    const char *what = argc > 1 ? argv[1] : "keybd";
    int ms = argc > 2 ? atoi(argv[2]) : 5000;
    appl_init(0);
    short x, y, b, k;
    _mouse_event();
    ready(what);
    if (!strcmp(what, "keybd"))
        evnt_keybd();
    else if (!strcmp(what, "button"))
        evnt_button(1, 1, 1, &x, &y, &b, &k);
    else if (!strcmp(what, "timer"))
        evnt_timer(ms, 0);
    else if (!strcmp(what, "mouse"))
        evnt_mouse(0, 300, 180, 10, 10, &x, &y, &b, &k);
    else if (!strcmp(what, "dialog"))
        form_alert(0, "[1][Waiting for an answer][Yes|No]");
    else if (!strcmp(what, "selector")) {
        char path[256] = "", file[128] = "*.*";
        short button;
        fsel_input(path, file, &button);
    } else
        sleep_ms(ms);
    printf("done %s\n", what);
    printf("failures: %d\n", probe_failures());
    fflush(stdout);
    appl_exit();
}
