// The platform seam: how the layer starts the library, opens the visible
// screen, reads keys and waits between polls. The real Allegro path is the
// default; the memory path runs the whole layer without a display.
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>

#include "gem/internal.h"

// ---- Real Allegro path -----------------------------------------------------

static void tick(void) { _timeit(); }

// The X display's size, read before any mode is set: 0 x 0 when unknown.
static int desktop_w, desktop_h;

// The layer runs in an X window. Without a display Allegro would fall back
// to the text console, whose keyboard driver crashes where there is no
// console to take: the program says so and stops instead.
static void allegro_start(void)
{
    if (install_allegro(SYSTEM_XWINDOWS, &errno, atexit) != 0) {
        const char *display = getenv("DISPLAY");
        fprintf(stderr, "gem: cannot open the X display %s%s%s\n",
                display ? display : "(DISPLAY is not set)", *allegro_error ? ": " : "",
                allegro_error);
        exit(1);
    }
    if (get_desktop_resolution(&desktop_w, &desktop_h) != 0)
        desktop_w = desktop_h = 0;
    install_keyboard();
    install_mouse();
    mouse_callback = _latch_buttons;
    install_timer();
    install_int(tick, 1);
}

// Allegro's exit routine destroys `screen` as the driver's own bitmap: the
// window must be back in it first, also when a program ends without
// appl_exit. Handlers run last-registered first, so this one, registered
// after the library's, runs before it.
static void close_view_at_exit(void)
{
    static bool registered;
    if (!registered)
        atexit(_view_close);
    registered = true;
}

// On a display larger than the mode: a window k times the mode's size with
// the scaled view in it. Otherwise, or when no window can be had, the screen
// as it is in the library's own fullscreen window.
static void allegro_set_mode(int w, int h)
{
    _view_close();
    set_color_depth(8);
    const int k = _view_scale(desktop_w, desktop_h, w, h);
    if (k && set_gfx_mode(GFX_AUTODETECT_WINDOWED, k * w, k * h, 0, 0) == 0) {
        close_view_at_exit();
        // The window's close button asks the program to end: AP_TERM.
        set_close_button_callback(_ap_term_request);
        if (_view_open(k)) {
            _gemio = &_window_io;
            return;
        }
    }
    if (set_gfx_mode(GFX_AUTODETECT, w, h, 0, 0) != 0) {
        // Nothing of the layer can work without a screen: say so and stop
        // rather than draw through a null bitmap.
        fprintf(stderr, "gem: cannot open the %dx%d screen: %s\n", w, h, allegro_error);
        exit(1);
    }
    _gemio = &_allegro_io;
}

static int allegro_keypressed(void) { return keypressed(); }
static int allegro_readkey(void) { return readkey(); }

// How long to sleep between two polls. While input is under way (the last
// poll saw a change, or a button is held: a click or a drag in progress) the
// loop polls every millisecond; after a quiet spell, every 4 ms. Either way
// a button held for 50 ms is seen, and a loop with a deadline is woken at
// it, so that timer waits end within 2 ms of their target. Measured under
// Xvfb: polling every millisecond costs about 1.5 points of a core above
// the 4 % of Allegro's own threads; slowing down when quiet removes most of
// that. Polling without a pause costs a whole core.
namespace {

constexpr int kQuietPolls = 20;    // quiet polls before slowing down
constexpr int32_t kQuietSpan = 4;  // ms between quiet polls

int quiet_polls;
int32_t deadline;
bool has_deadline;

int32_t idle_span()
{
    if (_mevent.kinds || _mevent.buttons)
        quiet_polls = 0;
    else if (quiet_polls < kQuietPolls)
        quiet_polls++;
    int32_t span = quiet_polls >= kQuietPolls ? kQuietSpan : 1;
    if (has_deadline) {
        int32_t left = (int32_t)((uint32_t)deadline - (uint32_t)_timer);
        if (left <= 0)
            has_deadline = false;
        else if (left < span)
            span = left;
    }
    return span;
}

}  // namespace

static void allegro_idle(void) { rest((unsigned)idle_span()); }

static void allegro_mouse(short *x, short *y)
{
    *x = (short)mouse_x;
    *y = (short)mouse_y;
}

static void allegro_warp(int x, int y) { position_mouse(x, y); }

// The library draws the cursor on the screen from its own thread; the
// layer hides it around raster copies.
static void allegro_cursor(int shown) { show_mouse(shown ? screen : NULL); }

// The library's screen is the one the person sees.
static void nothing_to_present(void) {}

static void window_stop(void)
{
    _view_close();
    allegro_exit();
}

GEM_IO _allegro_io = {allegro_start,      allegro_set_mode, allegro_keypressed, allegro_readkey,
                      allegro_idle,       allegro_mouse,    allegro_warp,       allegro_cursor,
                      nothing_to_present, allegro_exit};

// The same services, with the pointer, the cursor and the screen's showing
// taken over by the scaled view.
GEM_IO _window_io = {allegro_start, allegro_set_mode, allegro_keypressed, allegro_readkey,
                     allegro_idle,  _view_mouse,      _view_warp,         _view_cursor,
                     _view_present, window_stop};

// ---- Memory path -----------------------------------------------------------

static BITMAP *memory_screen;

static void memory_start(void)
{
    static bool started;
    if (!started) {
        install_allegro(SYSTEM_NONE, &errno, atexit);
        started = true;
    }
}

static void memory_set_mode(int w, int h)
{
    if (memory_screen) {
        if (screen == memory_screen)
            screen = NULL;
        destroy_bitmap(memory_screen);
    }
    set_color_depth(8);
    memory_screen = create_bitmap(w, h);
    if (!memory_screen) {
        fprintf(stderr, "gem: cannot create a %dx%d memory screen\n", w, h);
        exit(1);
    }
    clear_to_color(memory_screen, 0);
    screen = memory_screen;
}

static int memory_keypressed(void) { return 0; }
static int memory_readkey(void) { return 0; }

// Without a timer service each wait advances the clock by one tick, so that
// timed waits end and stay deterministic.
// The counter wraps round after 2^31 ticks, as the real one does.
static void memory_idle(void) { _timer = (int32_t)((uint32_t)_timer + 1); }

GEM_IO _memory_io = {memory_start,       memory_set_mode, memory_keypressed, memory_readkey,
                     memory_idle,        allegro_mouse,   allegro_warp,      allegro_cursor,
                     nothing_to_present, allegro_exit};

GEM_IO *_gemio = &_allegro_io;

void _idle(void) { _gemio->idle(); }

void _idle_deadline(int32_t tick)
{
    deadline = tick;
    has_deadline = true;
}
