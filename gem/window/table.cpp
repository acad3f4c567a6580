// The window table and the stacking order: creating, opening, closing and
// deleting windows, finding the one under a point, and the holds a program
// takes with wind_update.
#include <algorithm>

#include "gem/window/window.h"

short _wupdate = 0, _wmctrl = 0;

namespace win {

namespace {

// Index = handle; entry 0 stands for the desktop and is never used.
std::array<Window, GEM_MAX_WINDOWS + 1> table;
std::vector<short> order;  // open windows, bottom first

}  // namespace

Window *find(int handle)
{
    if (handle < 1 || handle > GEM_MAX_WINDOWS || !table[handle].used)
        return nullptr;
    return &table[handle];
}

const std::vector<short> &stack() { return order; }

short top() { return order.empty() ? 0 : order.back(); }

void unstack(short handle)
{
    order.erase(std::remove(order.begin(), order.end(), handle), order.end());
}

void raise(short handle)
{
    unstack(handle);
    order.push_back(handle);
}

Rect desk() { return Rect{0, GEM_MENU_ROWS, _scrwid, _scrht}; }

Region visible(short handle, bool work)
{
    const Window *w = find(handle);
    if (!w || !w->open)
        return Region();
    Region shows(work ? layout(w->kind, w->curr).work : w->curr);
    shows.intersect(desk());
    auto at = std::find(order.begin(), order.end(), handle);
    for (auto above = at + 1; above < order.end(); ++above)
        shows.subtract(table[*above].curr);
    return shows;
}

Region visible_desk()
{
    Region shows(desk());
    for (short h : order)
        shows.subtract(table[h].curr);
    return shows;
}

}  // namespace win

using namespace win;

int wind_create(int kind, int x, int y, int w, int h)
{
    for (int handle = 1; handle <= GEM_MAX_WINDOWS; handle++) {
        Window &win = table[handle];
        if (win.used)
            continue;
        win = Window{};
        win.used = true;
        win.kind = (short)(kind & 0x0FFF);
        win.full = place(win.kind, Rect::xywh(x, y, w, h));
        win.curr = win.prev = win.full;
        return handle;
    }
    return -1;
}

int wind_open(int handle, int x, int y, int w, int h)
{
    Window *win = find(handle);
    if (!win || win->open)
        return 0;
    Change change;
    win->open = true;
    win->prev = win->curr;
    win->curr = place(win->kind, Rect::xywh(x, y, w, h));
    raise((short)handle);
    change.frame((short)handle);
    return 1;
}

int wind_close(int handle)
{
    Window *win = find(handle);
    if (!win || !win->open)
        return 0;
    {
        Change change;
        win->open = false;
        unstack((short)handle);
    }
    // Nothing of it shows any more: a redraw it was owed has nothing to do.
    _msg_forget((short)handle, 1);
    return 1;
}

int wind_delete(int handle)
{
    Window *win = find(handle);
    if (!win)
        return 0;
    wind_close(handle);
    *win = Window{};
    // The program is never handed a handle that no longer exists.
    _msg_forget((short)handle, 0);
    return 1;
}

int wind_new(void)
{
    {
        Change change;
        for (int handle = 1; handle <= GEM_MAX_WINDOWS; handle++) {
            if (table[handle].used)
                _msg_forget((short)handle, 0);
            table[handle] = Window{};
        }
        order.clear();
    }
    _wupdate = _wmctrl = 0;
    return 1;
}

void _wind_reset(void)
{
    for (Window &w : table)
        w = Window{};
    order.clear();
    _wupdate = _wmctrl = 0;
    desk_tree = nullptr;
    desk_start = 0;
    _wind_release();
}

int wind_find(int x, int y)
{
    for (auto h = order.rbegin(); h != order.rend(); ++h) {
        if (table[*h].curr.contains(x, y))
            return *h;
    }
    return 0;
}

// Holds nest: each BEG is counted, and an END with no hold of its kind
// left returns 0.
int wind_update(int mode)
{
    short *hold = (mode == BEG_UPDATE || mode == END_UPDATE) ? &_wupdate : &_wmctrl;
    switch (mode) {
    case BEG_UPDATE:
    case BEG_MCTRL:
        if (*hold == SHRT_MAX)
            return 0;
        ++*hold;
        return 1;
    case END_UPDATE:
    case END_MCTRL:
        if (*hold == 0)
            return 0;
        --*hold;
        return 1;
    default: return 0;
    }
}
