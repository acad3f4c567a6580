// Redrawing after a change: what a call opened, closed, moved, sized or
// topped is worked out by comparing what showed of the desktop and of each
// window before the call with what shows after it. The layer draws the
// desktop and the frames that were uncovered or altered; a work area that
// gained visible pixels is the program's to paint, so it gets a WM_REDRAW
// whose rectangle covers them.
#include "gem/window/window.h"

namespace win {

namespace {

Change::Seen seen(short handle)
{
    Change::Seen s;
    const Window *w = find(handle);
    if (!w || !w->open)
        return s;
    s.open = true;
    s.outer = w->curr;
    s.work = layout(w->kind, w->curr).work;
    s.outer_shows = visible(handle, false);
    s.work_shows = visible(handle, true);
    return s;
}

bool moved(const Change::Seen &was, const Change::Seen &now)
{
    return was.work.x1 != now.work.x1 || was.work.y1 != now.work.y1;
}

// A moved work area that showed whole before and shows as one rectangle
// now is copied there with one raster copy, before anything is drawn over
// its old place. Returns what the copy filled.
Region copy_moved(const Change::Seen &was, const Change::Seen &now)
{
    if (was.work.empty() || was.work_shows.area() != was.work.area() ||
        now.work_shows.rects().size() != 1)
        return Region();
    const int dx = now.work.x1 - was.work.x1, dy = now.work.y1 - was.work.y1;
    const Rect to = now.work_shows.rects()[0] & was.work.moved(dx, dy);
    if (to.empty())
        return Region();
    const Rect from = to.moved(-dx, -dy);
    const short pxy[8] = {(short)from.x1,       (short)from.y1,    (short)(from.x2 - 1),
                          (short)(from.y2 - 1), (short)to.x1,      (short)to.y1,
                          (short)(to.x2 - 1),   (short)(to.y2 - 1)};
    // Both sides lie on the screen as they are: the clip is opened for the
    // copy, which would otherwise cut the source to it too.
    const short clip[4] = {_clipx1, _clipy1, _clipx2, _clipy2};
    vs_clip(0, 0, nullptr);
    vro_cpyfm(0, 3, pxy, &_screen, &_screen);
    vs_clip(0, 1, clip);
    return Region(to);
}

}  // namespace

void post(short type, short handle, short a, short b, short c, short d)
{
    const short msg[8] = {type, 0, 0, handle, a, b, c, d};
    _msg_post(msg, 0xFF);
}

Change::Change() : desk_before_(visible_desk()), top_before_(top())
{
    for (short h = 1; h <= GEM_MAX_WINDOWS; h++)
        before_[h] = seen(h);
}

Change::~Change()
{
    std::array<Seen, GEM_MAX_WINDOWS + 1> after;
    for (short h = 1; h <= GEM_MAX_WINDOWS; h++)
        after[h] = seen(h);
    const short top_now = top();

    std::array<Region, GEM_MAX_WINDOWS + 1> copied;
    for (short h = 1; h <= GEM_MAX_WINDOWS; h++) {
        const Seen &was = before_[h], &now = after[h];
        if (!was.open || !now.open || !moved(was, now))
            continue;
        copied[h] = copy_moved(was, now);
        // What was still to be painted moved with the window.
        _msg_move_redraw(h, (short)(now.work.x1 - was.work.x1), (short)(now.work.y1 - was.work.y1));
    }

    Region uncovered = visible_desk();
    if (!desk_)
        uncovered.subtract(desk_before_);
    paint_desk(uncovered);

    for (short h = 1; h <= GEM_MAX_WINDOWS; h++) {
        const Seen &was = before_[h], &now = after[h];
        if (!now.open)
            continue;
        const bool marked = (h == top_before_) != (h == top_now);
        Region frame = now.outer_shows;
        if (!framed_[h] && was.open && was.outer == now.outer && !marked)
            frame.subtract(was.outer_shows);
        paint_frame(h, frame);
    }

    for (short h = 1; h <= GEM_MAX_WINDOWS; h++) {
        const Seen &was = before_[h], &now = after[h];
        if (!now.open)
            continue;
        Region gained = now.work_shows;
        if (was.open && !moved(was, now))
            gained.subtract(was.work_shows);
        gained.subtract(copied[h]);
        if (!gained.empty()) {
            const GRECT g = gained.bounds().grect();
            post(WM_REDRAW, h, g.g_x, g.g_y, g.g_w, g.g_h);
        }
    }

    // The window that comes on top because the one there went away is told
    // so; one the program topped itself is not.
    if (top_now && top_now != top_before_ && top_before_ && !after[top_before_].open)
        post(WM_NEWTOP, top_now);
}

}  // namespace win
