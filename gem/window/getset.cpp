// wind_get and wind_set: a window's rectangles, sliders, texts and place in
// the stack, and the rectangle list a program repaints through. Handle 0 is
// the desktop, which only answers for its rectangle, its list, the top
// window and (through wind_set_tree) its tree.
#include <string.h>

#include <algorithm>

#include "gem/window/window.h"

using namespace win;

namespace {

void put(short *to, int value)
{
    if (to)
        *to = (short)value;
}

void put_rect(const Rect &r, short *a, short *b, short *c, short *d)
{
    const GRECT g = r.grect();
    put(a, g.g_x);
    put(b, g.g_y);
    put(c, g.g_w);
    put(d, g.g_h);
}

// The desktop's rectangle list, walked like a window's.
std::vector<Rect> desk_list;
size_t desk_next;

// The list ends with a 0 x 0 rectangle, given again however often it is
// asked for.
int next_rect(const std::vector<Rect> &list, size_t &next, short *a, short *b, short *c, short *d)
{
    put_rect(next < list.size() ? list[next] : Rect{}, a, b, c, d);
    if (next < list.size())
        next++;
    return 1;
}

int first_rect(Region shows, std::vector<Rect> &list, size_t &next, short *a, short *b, short *c,
               short *d)
{
    shows.tidy();
    list = shows.rects();
    next = 0;
    return next_rect(list, next, a, b, c, d);
}

int get_desk(int field, short *a, short *b, short *c, short *d)
{
    switch (field) {
    case WF_WORKXYWH:
    case WF_CURRXYWH:
    case WF_PREVXYWH:
    case WF_FULLXYWH: put_rect(desk(), a, b, c, d); return 1;
    case WF_FIRSTXYWH: return first_rect(visible_desk(), desk_list, desk_next, a, b, c, d);
    case WF_NEXTXYWH: return next_rect(desk_list, desk_next, a, b, c, d);
    default: return 0;
    }
}

short slider_value(int field, int value)
{
    if (field == WF_HSLIDE || field == WF_VSLIDE)
        return (short)std::clamp(value, 0, 1000);
    return (short)(value < 1 ? -1 : std::min(value, 1000));
}

short *slider_field(Window &w, int field)
{
    switch (field) {
    case WF_HSLIDE: return &w.hslide;
    case WF_VSLIDE: return &w.vslide;
    case WF_HSLSIZE: return &w.hslsize;
    case WF_VSLSIZE: return &w.vslsize;
    default: return nullptr;
    }
}

// Draws again the part of an open window's frame that `pick` chooses.
void redraw_part(short handle, Rect Layout::*pick)
{
    const Window *w = find(handle);
    if (!w || !w->open)
        return;
    Region part = visible(handle, false);
    part.intersect(layout(w->kind, w->curr).*pick);
    paint_frame(handle, part);
}

int set_curr(short handle, Window &w, const Rect &asked)
{
    const Rect r = place(w.kind, asked);
    if (r == w.curr)
        return 1;
    if (!w.open) {
        w.prev = w.curr;
        w.curr = r;
        return 1;
    }
    Change change;
    w.prev = w.curr;
    w.curr = r;
    change.frame(handle);
    return 1;
}

int set_top(short handle, const Window &w)
{
    if (!w.open)
        return 0;
    if (top() != handle) {
        Change change;
        raise(handle);
    }
    return 1;
}

char *text_field(Window &w, int field)
{
    return field == WF_NAME ? w.name : field == WF_INFO ? w.info : nullptr;
}

}  // namespace

int wind_get(int handle, int field, short *a, short *b, short *c, short *d)
{
    if (field == WF_TOP) {
        put(a, top());
        put(b, 0);  // the application that owns it: this one
        put(c, 0);
        put(d, 0);
        return 1;
    }
    if (handle == 0)
        return get_desk(field, a, b, c, d);
    Window *w = find(handle);
    if (!w)
        return 0;
    switch (field) {
    case WF_KIND: put(a, w->kind); return 1;
    case WF_WORKXYWH: put_rect(layout(w->kind, w->curr).work, a, b, c, d); return 1;
    case WF_CURRXYWH: put_rect(w->curr, a, b, c, d); return 1;
    case WF_PREVXYWH: put_rect(w->prev, a, b, c, d); return 1;
    case WF_FULLXYWH: put_rect(w->full, a, b, c, d); return 1;
    case WF_HSLIDE:
    case WF_VSLIDE:
    case WF_HSLSIZE:
    case WF_VSLSIZE: put(a, *slider_field(*w, field)); return 1;
    case WF_FIRSTXYWH:
        return first_rect(visible((short)handle, true), w->list, w->next, a, b, c, d);
    case WF_NEXTXYWH: return next_rect(w->list, w->next, a, b, c, d);
    default: return 0;  // WF_NAME, WF_INFO: an address does not fit; wind_get_str
    }
}

int wind_set(int handle, int field, int a, int b, int c, int d)
{
    Window *w = find(handle);
    if (!w)
        return 0;
    const short h = (short)handle;
    switch (field) {
    case WF_CURRXYWH: return set_curr(h, *w, Rect::xywh(a, b, c, d));
    case WF_FULLXYWH: w->full = place(w->kind, Rect::xywh(a, b, c, d)); return 1;
    case WF_TOP: return set_top(h, *w);
    case WF_HSLIDE:
    case WF_VSLIDE:
    case WF_HSLSIZE:
    case WF_VSLSIZE: {
        short *value = slider_field(*w, field);
        const short v = slider_value(field, a);
        if (*value != v) {
            *value = v;
            redraw_part(h,
                        field == WF_HSLIDE || field == WF_HSLSIZE ? &Layout::hbar : &Layout::vbar);
        }
        return 1;
    }
    default: return 0;  // WF_NAME, WF_INFO: an address does not fit; wind_set_str
    }
}

int wind_set_str(int handle, int field, const char *text)
{
    Window *w = find(handle);
    char *keep = w ? text_field(*w, field) : nullptr;
    if (!keep || !text)
        return 0;
    strncpy(keep, text, GEM_WINDOW_TEXT - 1);
    keep[GEM_WINDOW_TEXT - 1] = '\0';
    redraw_part((short)handle, field == WF_NAME ? &Layout::title : &Layout::info);
    return 1;
}

int wind_get_str(int handle, int field, char *text)
{
    Window *w = find(handle);
    const char *kept = w ? text_field(*w, field) : nullptr;
    if (!kept || !text)
        return 0;
    memcpy(text, kept, strlen(kept) + 1);
    return 1;
}

int wind_set_tree(int handle, int field, OBJECT *tree, int start)
{
    if (handle != 0 || field != WF_NEWDESK)
        return 0;
    Change change;
    desk_tree = tree;
    desk_start = (short)(tree ? start : 0);
    change.desk();
    return 1;
}
