// The user's actions on windows, while the program waits for messages: a
// press on a window that is not on top asks for it to be topped; on the top
// window the closer and fuller are pressed and released, the title bar, the
// sizer and the sliders dragged as XOR outlines, and the arrows and tracks
// held. Each action becomes a message for the program, which answers it
// with wind_set: the layer never moves, sizes or tops a window by itself.
#include <algorithm>

#include "gem/window/window.h"

using namespace win;

namespace {

// An arrow or a track held down repeats its action: after this long, then
// at this rate (ms).
constexpr int32_t FIRST_REPEAT = 250;
constexpr int32_t REPEAT = 50;

struct Held {
    short handle = 0;
    short action = -1;
    int32_t next = 0;
};
Held held;

bool left_down() { return _mevent.buttons & 1; }

void poll()
{
    _idle();
    _mouse_event();
}

void outline(const Rect &r)
{
    _xor_box((short)r.x1, (short)r.y1, (short)(r.x2 - 1), (short)(r.y2 - 1));
}

// Shows a widget pressed while the button is held with the pointer on it;
// true when the button goes up there.
bool watch(const Rect &cell)
{
    bool in = true;
    invert_cell(cell);
    while (left_down()) {
        poll();
        const bool now = cell.contains(_mevent.x, _mevent.y);
        if (now != in) {
            invert_cell(cell);
            in = now;
        }
    }
    if (in)
        invert_cell(cell);
    return in;
}

// Drags an outline from `start` while the button is held: `at` gives the
// rectangle for the pointer's distance from where it was pressed. Returns
// the rectangle where the button went up.
template <typename At>
Rect drag(const Rect &start, At at)
{
    const int x0 = _mevent.x, y0 = _mevent.y;
    Rect r = start;
    outline(r);
    while (left_down()) {
        poll();
        const Rect n = at(_mevent.x - x0, _mevent.y - y0);
        if (!(n == r)) {
            outline(r);
            r = n;
            outline(r);
        }
    }
    outline(r);
    return r;
}

// The title bar: the window's outline follows the pointer to the places a
// window may take; WM_MOVED gives the new outer rectangle.
void move(short handle, const Window &w)
{
    const Rect r =
        drag(w.curr, [&](int dx, int dy) { return place(w.kind, w.curr.moved(dx, dy)); });
    if (!(r == w.curr))
        post(WM_MOVED, handle, (short)r.x1, (short)r.y1, (short)(r.x2 - r.x1),
             (short)(r.y2 - r.y1));
}

// The sizer: the outline's far corner follows the pointer, the window
// keeping its smallest size; WM_SIZED gives the outer rectangle with x and
// y unchanged.
void size(short handle, const Window &w)
{
    const Rect o = w.curr;
    int min_w, min_h;
    min_size(w.kind, &min_w, &min_h);
    const Rect r = drag(o, [&](int dx, int dy) {
        return Rect::xywh(o.x1, o.y1, std::clamp(o.x2 - o.x1 + dx, min_w, MAX_SIZE),
                          std::clamp(o.y2 - o.y1 + dy, min_h, MAX_SIZE));
    });
    if (!(r == o))
        post(WM_SIZED, handle, (short)o.x1, (short)o.y1, (short)(r.x2 - r.x1),
             (short)(r.y2 - r.y1));
}

// A slider: its outline moves along the track; WM_VSLID or WM_HSLID gives
// its new position in thousandths.
void slide(short handle, const Window &w, bool vertical)
{
    const Layout l = layout(w.kind, w.curr, &w);
    const Rect track = vertical ? l.vtrack : l.htrack, start = vertical ? l.vslider : l.hslider;
    const short size = vertical ? w.vslsize : w.hslsize;
    const int length = (vertical ? track.y2 - track.y1 : track.x2 - track.x1) - 2;
    const int room = length - slider_length(length, size);
    const int from = vertical ? start.y1 - track.y1 : start.x1 - track.x1;
    auto offset = [&](int d) { return std::clamp(from + d, 0, room) - from; };
    const Rect r = drag(start, [&](int dx, int dy) {
        return vertical ? start.moved(0, offset(dy)) : start.moved(offset(dx), 0);
    });
    const int moved = vertical ? r.y1 - start.y1 : r.x1 - start.x1;
    if (moved != 0)
        post(vertical ? WM_VSLID : WM_HSLID, handle, slider_position(length, size, from + moved));
}

// The WM_ARROWED action of the point: a line on an arrow, a page on a
// slider's track beside the slider; -1 elsewhere.
short action_at(const Window &w, int x, int y)
{
    const Layout l = layout(w.kind, w.curr, &w);
    switch (hit(l, x, y)) {
    case Part::Up: return WA_UPLINE;
    case Part::Down: return WA_DNLINE;
    case Part::Left: return WA_LFLINE;
    case Part::Right: return WA_RTLINE;
    case Part::VTrack:
        if (l.vslider.empty())
            return -1;
        return y < l.vslider.y1 ? WA_UPPAGE : y >= l.vslider.y2 ? WA_DNPAGE : -1;
    case Part::HTrack:
        if (l.hslider.empty())
            return -1;
        return x < l.hslider.x1 ? WA_LFPAGE : x >= l.hslider.x2 ? WA_RTPAGE : -1;
    default: return -1;
    }
}

void act(short handle, const Window &w, const Layout &l, Part part, int x, int y)
{
    switch (part) {
    case Part::Closer:
        if (watch(l.closer))
            post(WM_CLOSED, handle);
        break;
    case Part::Fuller:
        if (watch(l.fuller))
            post(WM_FULLED, handle);
        break;
    case Part::Name:
        if (w.kind & MOVER)
            move(handle, w);
        break;
    case Part::Sizer: size(handle, w); break;
    case Part::VSlider: slide(handle, w, true); break;
    case Part::HSlider: slide(handle, w, false); break;
    default: {
        const short action = action_at(w, x, y);
        if (action < 0)
            break;
        post(WM_ARROWED, handle, action);
        held = {handle, action, (int32_t)((uint32_t)_timer + FIRST_REPEAT)};
        break;
    }
    }
}

}  // namespace

int _wind_press(short x, short y, int left)
{
    if (_wmctrl)
        return 0;  // the program has the mouse to itself
    const short handle = (short)wind_find(x, y);
    const Window *w = find(handle);
    if (!w)
        return 0;  // the desktop
    if (handle != top()) {
        if (left && !_wupdate)
            post(WM_TOPPED, handle);
        return 1;
    }
    const Layout l = layout(w->kind, w->curr, w);
    const Part part = hit(l, x, y);
    if (part == Part::Work)
        return 0;
    // Under a BEG_UPDATE hold a press on a widget is dropped.
    if (left && !_wupdate)
        act(handle, *w, l, part, x, y);
    return 1;
}

void _wind_repeat(void)
{
    if (!held.handle)
        return;
    const Window *w = find(held.handle);
    if (!left_down() || !w || !w->open || held.handle != top() || _wmctrl) {
        held = Held{};
        return;
    }
    if (_wupdate || (int32_t)((uint32_t)_timer - (uint32_t)held.next) < 0)
        return;
    // With the pointer off the widget the repeat pauses.
    if (action_at(*w, _mevent.x, _mevent.y) != held.action)
        return;
    post(WM_ARROWED, held.handle, held.action);
    held.next = (int32_t)((uint32_t)_timer + REPEAT);
}

void _wind_release(void) { held = Held{}; }
