// The window manager's own view of its state, shared by the files of
// gem/window: the window table and the stacking order (table.cpp), where
// each part of a frame lies (layout.cpp), what shows of each window and of
// the desktop (table.cpp), drawing frames and the desktop (frame.cpp), and
// the change that redraws what a call altered (change.cpp).
#pragma once

#include <array>
#include <vector>

#include "gem/internal.h"
#include "gem/window/region.h"

namespace win {

// A widget's box, its outline included. Boxes side by side share their
// outline, so each one further along starts STEP pixels on.
constexpr int CELL = 11;
constexpr int STEP = CELL - 1;

// Largest width or height a window takes; larger requests are cut to it.
constexpr int MAX_SIZE = 8192;

// The interface colours frames are drawn in, as the layer's dialogs are:
// paper 0 and ink 1. The plain desktop is green.
constexpr int PAPER = 0;
constexpr int INK = 1;
constexpr int DESK_COLOUR = 3;

struct Window {
    bool used = false;
    bool open = false;
    short kind = 0;
    Rect curr, prev, full;  // outer rectangles
    short hslide = 0, vslide = 0;
    short hslsize = -1, vslsize = -1;  // -1: the smallest square
    char name[GEM_WINDOW_TEXT] = "";
    char info[GEM_WINDOW_TEXT] = "";
    std::vector<Rect> list;  // the rectangle list WF_FIRSTXYWH made
    size_t next = 0;         // what WF_NEXTXYWH gives next
};

// ---- The table and the stacking order (table.cpp) ---------------------------

// A window by handle, or null when the handle names none (0, the desktop,
// names none either).
Window *find(int handle);

// The open windows, bottom first; the last one is on top.
const std::vector<short> &stack();
short top();

// Puts an open window on top, or takes it out of the stack.
void raise(short handle);
void unstack(short handle);

// The desktop: the screen below the menu bar's strip.
Rect desk();

// What shows of a window's outer rectangle or work area: inside the
// desktop and not under any window above it.
Region visible(short handle, bool work);
Region visible_desk();

// ---- Where the parts of a frame lie (layout.cpp) ----------------------------

enum class Part {
    None,
    Work,
    Border,
    Closer,
    Name,
    Fuller,
    Info,
    Up,
    Down,
    VTrack,
    VSlider,
    Left,
    Right,
    HTrack,
    HSlider,
    Sizer,
    Corner
};

// Every part of a window of `kind` whose outer rectangle is `outer`; a part
// the kind lacks is empty. Cells include their outline.
struct Layout {
    Rect outer, work;
    Rect title, closer, name, fuller, info;
    Rect vbar, up, down, vtrack, vslider;
    Rect hbar, left, right, htrack, hslider;
    Rect corner, sizer;
};

Layout layout(short kind, const Rect &outer, const Window *sliders = nullptr);
Part hit(const Layout &l, int x, int y);

// The smallest outer size that holds every part of `kind`.
void min_size(short kind, int *w, int *h);

// Where a window of `kind` goes when a program asks for `r`: its size cut
// to the bounds, and its title bar kept within reach (not above the desktop
// or below it, some of it across the screen).
Rect place(short kind, Rect r);

// The slider's offset in a track of `length` pixels and its position in
// thousandths for an offset.
int slider_length(int length, short size);
int slider_offset(int length, short size, short position);
short slider_position(int length, short size, int offset);

// ---- Drawing (frame.cpp) ----------------------------------------------------

// Frames and the desktop, clipped to `where`. A frame's drawing never
// touches its work area.
void paint_frame(short handle, const Region &where);
void paint_desk(const Region &where);

// Inverts the inside of a widget's cell: shown pressed, or back again.
void invert_cell(const Rect &cell);

// ---- Changes (change.cpp) ---------------------------------------------------

// Queues a window message: the type, the sender (the application, 0), 0,
// the window, and four words.
void post(short type, short handle, short a = 0, short b = 0, short c = 0, short d = 0);

// Records what shows when it is made; when it goes, draws what the calls
// made in between changed (the desktop uncovered, frames uncovered or
// altered) and tells each window whose work area gained visible pixels
// with a WM_REDRAW. A window moved whose work area showed whole is copied
// to its new place instead.
class Change {
public:
    Change();
    ~Change();
    Change(const Change &) = delete;
    Change &operator=(const Change &) = delete;

    void frame(short handle) { framed_[handle] = true; }  // drawn again, all of it
    void desk() { desk_ = true; }

    struct Seen {
        bool open = false;
        Rect outer, work;
        Region outer_shows, work_shows;
    };

private:
    std::array<Seen, GEM_MAX_WINDOWS + 1> before_;
    Region desk_before_;
    short top_before_;
    std::array<bool, GEM_MAX_WINDOWS + 1> framed_{};
    bool desk_ = false;
};

// The desktop tree WF_NEWDESK installed, null for the plain desktop.
extern OBJECT *desk_tree;
extern short desk_start;

}  // namespace win
