// The event multiplexer (evnt_multi), the message wait (evnt_mesag) and the
// menu tracking they share: while either call waits, a box drops down under
// the pointer on a title, the entry under the pointer is highlighted, and a
// left press on the highlighted entry becomes a menu message. While either
// waits for messages, presses on windows go to the window manager too; the
// messages both make wait in the queue, and each call hands the first over.
#include <stdint.h>

#include "gem/internal.h"
#include "gem/menu/saved_area.h"
#include "gem/resource/walk.h"

MFDB _boxfdb = {NULL, 0, 0, 0, 0, 0, 0, 0, 0};
short _boxpx[8] = {0, 0, 0, 0, 0, 0, 0, 0};

namespace {

constexpr short TITLE_AREA = 2;
constexpr int ALL_EVENTS = EV_KEYBOARD | EV_BUTTON | EV_RECT1 | EV_RECT2 | EV_MESSAGE | EV_TIMER;

// Poll kinds bits.
constexpr short MOVED = 0x01;
constexpr short LEFT_DOWN = 0x02;
constexpr short RIGHT_DOWN = 0x08;
constexpr short ANY_BUTTON = 0x7E;
constexpr short KEY_READ = 0x80;

void put(short *place, short value)
{
    if (place)
        *place = value;
}

// The box of title `t`: the title chain (children of the title area) and
// the box chain (children of the root's last child, from _boxstart) are
// walked together until the title chain reaches t. 0 if there is none.
short box_of(short t)
{
    TreeGuard guard(_menu);
    if (!guard.valid(TITLE_AREA))
        return 0;
    const short container = _menu->ob_tail;
    short title = _menu[TITLE_AREA].ob_head, box = _boxstart;
    while (guard.valid(title) && guard.valid(box) && guard.visit(0)) {
        if (title == t)
            return box;
        title = _menu[title].ob_next;
        box = _menu[box].ob_next;
        if (title == TITLE_AREA || box == container)
            break;
    }
    return 0;
}

// One call's menu state: the open title and box and the highlighted entry,
// all 0 with no box open. The save area under a box lives exactly as long
// as the tracker: the call that made it never returns with a box dropped.
class Tracker {
public:
    Tracker() { _boxfdb = MFDB{}; }
    ~Tracker()
    {
        close();
        menu_area::give_back(_boxfdb);
    }
    Tracker(const Tracker &) = delete;
    Tracker &operator=(const Tracker &) = delete;

    bool open() const { return title_ != 0; }

    // The tracking step, for a poll in which the pointer moved to (x, y).
    void step(short x, short y)
    {
        const int t = objc_find(_menu, TITLE_AREA, 8, x, y);
        if (t > TITLE_AREA)
            on_title((short)t);
        else if (open())
            in_box(x, y);
    }

    // A press at (x, y) chooses the highlighted entry only when it is on
    // that entry: over a disabled entry or the box's own area the last entry
    // stays highlighted but is not what the user pointed at.
    bool choice_at(short x, short y) const
    {
        return item_ != 0 && objc_find(_menu, box_, 2, x, y) == item_;
    }

    // Queues the menu message for the highlighted entry; words 1, 2 and 5
    // to 7 are not written when it is handed over. The box closes. With the
    // queue full the press chooses nothing and the box stays.
    void choose()
    {
        const short msg[8] = {MSG_MENU_CHOSEN, 0, 0, title_, item_, 0, 0, 0};
        if (_msg_post(msg, 1u << 0 | 1u << 3 | 1u << 4))
            close();
    }

    void close()
    {
        if (open())
            _restore_box(&title_, &box_, &item_);
    }

private:
    // The first time a title is reached in a call, the whole drop area (the
    // root's height, screen-wide) gets its save block; without one no box
    // drops.
    static bool have_save_area()
    {
        if (_boxfdb.fd_addr)
            return true;
        if (!menu_area::take(_boxfdb, _scrwid, _menu->ob_height))
            return false;
        const short pxy[8] = {0, 0, (short)(_scrwid - 1), (short)(_menu->ob_height - 1),
                              0, 0, (short)(_scrwid - 1), (short)(_menu->ob_height - 1)};
        _area_copy(pxy, &_screen, &_boxfdb);
        return true;
    }

    void on_title(short t)
    {
        if (!have_save_area() || t == title_)
            return;
        close();
        const short box = box_of(t);
        short x, y;
        if (box <= 0 || !objc_offset(_menu, box, &x, &y))
            return;
        // The box with a one-pixel margin, at the same place on the screen
        // and in the save area.
        const short x1 = (short)(x - 1), y1 = (short)(y - 1);
        const short x2 = (short)(x1 + _menu[box].ob_width + 1);
        const short y2 = (short)(y1 + _menu[box].ob_height + 1);
        const short pxy[8] = {x1, y1, x2, y2, x1, y1, x2, y2};
        for (int i = 0; i < 8; i++)
            _boxpx[i] = pxy[i];
        _area_copy(_boxpx, &_screen, &_boxfdb);
        title_ = t;
        box_ = box;
        menu_tnormal(_menu, t, 0);
        objc_draw(_menu, box, 2, 0, 0, 0, 0);
    }

    void in_box(short x, short y)
    {
        const int f = objc_find(_menu, box_, 2, x, y);
        if (f < box_) {
            close();
        } else if (f > box_ && f != item_) {
            if (item_)
                menu_tnormal(_menu, item_, 1);
            item_ = (short)f;
            menu_tnormal(_menu, item_, 0);
        }
    }

    short title_ = 0, box_ = 0, item_ = 0;
};

// The tracking step runs in every poll in which the pointer moved, unless
// the program holds the screen or the mouse (wind_update).
void track(Tracker &menu)
{
    if (_menu && (_mevent.kinds & MOVED) && !_wupdate && !_wmctrl)
        menu.step(_mevent.x, _mevent.y);
}

// The user's part of one poll of a message wait: a left press the call
// listens to (`listen`) chooses the highlighted menu entry; any other press
// goes to the window manager, and when it takes it the press is no button
// event (`taken`). A held arrow repeats.
void user_actions(Tracker &menu, short kinds, short listen, bool &taken)
{
    taken = false;
    if ((kinds & listen & LEFT_DOWN) && menu.choice_at(_mevent.x, _mevent.y))
        menu.choose();
    else if ((kinds & (LEFT_DOWN | RIGHT_DOWN)) && !menu.open())
        taken = _wind_press(_mevent.x, _mevent.y, kinds & LEFT_DOWN);
    _wind_repeat();
}

// The message part of one poll of a message wait: the user's actions, then
// the first queued message is handed over. True when one was.
bool messages(Tracker &menu, short kinds, short listen, short *msg, bool &taken)
{
    user_actions(menu, kinds, listen, taken);
    return _msg_take(msg);
}

// The kinds bits this call listens to: movement always, the transitions
// the button mask and state ask for, and keys when the keyboard is asked.
short poll_mask(int flags, int mask, int state)
{
    short bits = MOVED;
    if (mask & 1)
        bits |= (state & 1) ? 0x02 : 0x04;
    if (mask & 2)
        bits |= (state & 2) ? 0x08 : 0x10;
    if (flags & EV_KEYBOARD)
        bits |= KEY_READ;
    return bits;
}

// Mode 0: the pointer is inside; any other mode: outside.
bool rect_event(int mode, int rx, int ry, int rw, int rh)
{
    const long x = _mevent.x, y = _mevent.y;
    const bool inside = x >= rx && x < (long)rx + rw && y >= ry && y < (long)ry + rh;
    return mode == 0 ? inside : !inside;
}

// A span counted from the time of the last poll before the call. The span is
// taken in 64 bits and compared with the ticks elapsed, so that no count
// overflows and the wait also ends across the tick counter's wrap. A call
// that waits for it tells _idle() not to sleep past its end.
class Deadline {
public:
    Deadline(bool wanted, int locount, int hicount)
        : start_((uint32_t)_mevent.time), span_((int64_t)locount + 65536LL * hicount)
    {
        if (wanted && span_ > 0)
            _idle_deadline((int32_t)(start_ + (uint32_t)span_));
    }

    bool passed() const { return (int64_t)((uint32_t)_mevent.time - start_) >= span_; }

private:
    uint32_t start_;
    int64_t span_;
};

// Counts presses towards the clicks a call asks for. The first press opens
// the double-click span (_dclick_ms()), and only presses within it add to
// the count. The count is complete when it reaches the clicks asked for, or
// once the span has passed; a count of 0 or less is met by the first press,
// like a count of 1.
class Clicks {
public:
    explicit Clicks(int wanted) : wanted_(wanted < 1 ? 1 : wanted) {}

    // A press in the last poll.
    void press()
    {
        const uint32_t now = (uint32_t)_mevent.time;
        if (count_ == 0) {
            start_ = now;
            if (wanted_ > 1)
                _idle_deadline((int32_t)(start_ + (uint32_t)_dclick_ms()));
        } else if (now - start_ > (uint32_t)_dclick_ms()) {
            return;  // too late for this count
        }
        count_++;
    }

    bool counting() const { return count_ > 0; }

    bool complete() const
    {
        return count_ >= wanted_ ||
               (count_ > 0 && (uint32_t)_mevent.time - start_ >= (uint32_t)_dclick_ms());
    }

    int count() const { return count_; }

private:
    int wanted_;
    int count_ = 0;
    uint32_t start_ = 0;
};

}  // namespace

void _restore_box(short *title, short *box, short *item)
{
    _area_copy(_boxpx, &_boxfdb, &_screen);
    if (_menu && title && *title > 0)
        menu_tnormal(_menu, *title, 1);
    if (_menu && item) {
        TreeGuard guard(_menu);
        if (guard.valid(*item))
            _menu[*item].ob_flags &= (unsigned char)~OF_SELECTED;
    }
    put(title, 0);
    put(box, 0);
    put(item, 0);
}

int evnt_multi(int flags, int clicks, int mask, int state, int m1flag, int m1x, int m1y, int m1w,
               int m1h, int m2flag, int m2x, int m2y, int m2w, int m2h, short *msg, int locount,
               int hicount, short *mx, short *my, short *mbutton, short *mkbstat, short *keycode,
               short *nclicks)
{
    flags &= ALL_EVENTS;
    if (!msg)
        flags &= ~EV_MESSAGE;  // no buffer to write a message into
    if (!flags)
        return 0;
    const short listen = poll_mask(flags, mask, state);
    const Deadline deadline(flags & EV_TIMER, locount, hicount);
    Tracker menu;
    Clicks clicks_counted(clicks);
    for (;;) {
        _mouse_event();
        put(mx, _mevent.x);
        put(my, _mevent.y);
        put(mbutton, _mevent.buttons);
        put(mkbstat, _mevent.kbstat);
        put(keycode, _mevent.key);
        track(menu);

        const short kinds = _mevent.kinds;
        int result = 0;
        bool taken = false;
        // First, since a press the window manager takes may track the mouse.
        if ((flags & EV_MESSAGE) && messages(menu, kinds, listen, msg, taken))
            result |= EV_MESSAGE;
        // The timer waits while a box is open and counts again, against the
        // same deadline, once the user has left the menu.
        if ((flags & EV_TIMER) && !menu.open() && deadline.passed())
            result |= EV_TIMER;
        if ((flags & EV_RECT1) && rect_event(m1flag, m1x, m1y, m1w, m1h))
            result |= EV_RECT1;
        if ((flags & EV_RECT2) && rect_event(m2flag, m2x, m2y, m2w, m2h))
            result |= EV_RECT2;
        if (kinds & listen & KEY_READ)
            result |= EV_KEYBOARD;
        if ((flags & EV_BUTTON) && !taken && (kinds & listen & ANY_BUTTON))
            clicks_counted.press();
        // Another event ends a count still under way: the presses so far are
        // reported with it rather than lost.
        if (clicks_counted.counting() && (clicks_counted.complete() || result)) {
            result |= EV_BUTTON;
            put(nclicks, (short)clicks_counted.count());
        }
        if (result)
            return result;  // a box still open closes as the tracker goes
        _idle();
    }
}

void _msg_wait(int count)
{
    Tracker menu;
    for (;;) {
        _mouse_event();
        track(menu);
        bool taken;
        user_actions(menu, _mevent.kinds, LEFT_DOWN, taken);
        if (_msg_waiting() >= count)
            return;
        _idle();
    }
}

int evnt_mesag(short *msg)
{
    if (!msg)
        return 0;
    msg[0] = 0;
    Tracker menu;
    for (;;) {
        _mouse_event();
        track(menu);
        bool taken;
        if (messages(menu, _mevent.kinds, LEFT_DOWN, msg, taken))
            return 1;
        _idle();
    }
}
