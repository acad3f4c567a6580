// The zoom and move animations of the classic desktop: an XOR outline that
// steps from one rectangle to another. Each step is drawn, shown for a few
// milliseconds and erased again, so the screen ends exactly as it was. The
// steps are paced on the layer's clock with a bounded number of waits, so
// an animation lasts about STEPS * STEP_MS ms and never hangs where time
// stands still.
#include <stdint.h>

#include <algorithm>

#include "gem/internal.h"

namespace {

constexpr int STEPS = 8;     // outlines, the first and the last rectangle included
constexpr int STEP_MS = 10;  // how long each one shows

struct Box {
    long x, y, w, h;
};

// A corner coordinate kept within one pixel outside the screen: what shows
// of the outline is the same, and its lines stay as short as the screen.
short on_screen(long v, int size) { return (short)std::clamp<long>(v, -1, size); }

// The outline of the box (at least one pixel each way), XORed.
void outline(const Box &b)
{
    const long w = std::max(b.w, 1L), h = std::max(b.h, 1L);
    _xor_box(on_screen(b.x, screen->w), on_screen(b.y, screen->h),
             on_screen(b.x + w - 1, screen->w), on_screen(b.y + h - 1, screen->h));
}

// Shows the screen and waits STEP_MS ticks, or STEP_MS waits if the clock
// does not move as fast.
void hold()
{
    _gemio->present();
    const uint32_t start = (uint32_t)_timer;
    _idle_deadline((int32_t)(start + STEP_MS));
    for (int i = 0; i < STEP_MS && (uint32_t)_timer - start < (uint32_t)STEP_MS; i++)
        _idle();
}

long between(long a, long b, int step) { return a + (b - a) * step / (STEPS - 1); }

void animate(const Box &from, const Box &to)
{
    for (int step = 0; step < STEPS; step++) {
        const Box b = {between(from.x, to.x, step), between(from.y, to.y, step),
                       between(from.w, to.w, step), between(from.h, to.h, step)};
        outline(b);
        hold();
        outline(b);
    }
    _gemio->present();
}

}  // namespace

int graf_growbox(int x, int y, int w, int h, int fx, int fy, int fw, int fh)
{
    animate({x, y, w, h}, {fx, fy, fw, fh});
    return 1;
}

// The classic order: the small rectangle the box shrinks to comes first.
int graf_shrinkbox(int fx, int fy, int fw, int fh, int x, int y, int w, int h)
{
    animate({x, y, w, h}, {fx, fy, fw, fh});
    return 1;
}

int graf_movebox(int w, int h, int x, int y, int dx, int dy)
{
    animate({x, y, w, h}, {dx, dy, w, h});
    return 1;
}
