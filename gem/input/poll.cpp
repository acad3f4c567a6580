// Input polling: the one routine that reads the library's mouse and keyboard
// state into the event record, and the query calls built on a single poll.
//
// There is no queue. Each poll compares the present mouse state with the one
// the previous poll saw and reports only the difference; it takes at most one
// key from the library's buffer.
#include <atomic>

#include "gem/internal.h"

_MEVENT _mevent;

namespace {

// Allegro's scancodes, as readkey() gives them in the high byte.
static_assert(KEY_F1 == 47 && KEY_F12 == 58, "function key scancodes");
static_assert(KEY_LEFT == 82 && KEY_RIGHT == 83 && KEY_UP == 84 && KEY_DOWN == 85,
              "cursor key scancodes");
static_assert(KEY_DEL == 77 && KEY_BACKSPACE == 63 && KEY_SPACE == 75 && KEY_ENTER == 67,
              "editing key scancodes");

// The layer's key code for a readkey() value. The scancode decides first, so
// Return and space keep their codes under any modifier and delete and
// backspace are told apart; other keys give their character (0 if none).
short key_code(int raw)
{
    int scancode = (raw >> 8) & 0xFF;
    if (scancode >= KEY_F1 && scancode <= KEY_F12)
        return (short)(scancode + 276);
    switch (scancode) {
    case KEY_UP: return 354;
    case KEY_LEFT: return 356;
    case KEY_RIGHT: return 358;
    case KEY_DOWN: return 360;
    case KEY_DEL: return 128;
    case KEY_BACKSPACE: return 127;
    case KEY_SPACE: return 32;
    case KEY_ENTER: return 13;
    default: return (short)(raw & 0xFF);
    }
}

short modifiers()
{
    short state = 0;
    if (key[KEY_RSHIFT])
        state |= 0x01;
    if (key[KEY_LSHIFT])
        state |= 0x02;
    if (key[KEY_LCONTROL] || key[KEY_RCONTROL])
        state |= 0x04;
    if (key[KEY_ALT])
        state |= 0x08;
    return state;
}

// Button transitions latched by the library's mouse callback since the
// last poll, as the kinds bits they stand for. A press and a release that
// both fall between two polls leave the button state as it was; the latch
// still tells the poll that they happened.
static_assert(MOUSE_FLAG_LEFT_DOWN == 0x02 && MOUSE_FLAG_LEFT_UP == 0x04 &&
                  MOUSE_FLAG_RIGHT_DOWN == 0x08 && MOUSE_FLAG_RIGHT_UP == 0x10,
              "mouse callback flags are the kinds bits");
constexpr int LATCHED = 0x1E;
std::atomic<int> latched{0};

// Kinds bits for one button going down (`down`) or up (`up`); when its
// state did not change, both if the latch saw it go down and up.
short transition(int now, int before, int bit, short down, short up, int seen)
{
    bool is = now & bit, was = before & bit;
    if (is && !was)
        return down;
    if (!is && was)
        return up;
    if ((seen & (down | up)) == (down | up))
        return (short)(down | up);
    return 0;
}

}  // namespace

void _latch_buttons(int flags) { latched.fetch_or(flags & LATCHED, std::memory_order_release); }

void _mouse_event(void)
{
    _mevent.kbstat = 0;
    _mevent.key = 0;
    short kinds = 0;

    _mevent.kbstat = modifiers();

    // The cursor comes back once nobody holds it hidden.
    if (_mtot == 0 && _mousedrawn == 0)
        _showmouse();

    if (_gemio->keypressed()) {
        kinds |= 0x80;
        _mevent.key = key_code(_gemio->readkey());
    }

    short mx, my;
    _gemio->mouse(&mx, &my);
    if (mx != _mevent.x || my != _mevent.y) {
        kinds |= 0x01;
        _mevent.x = mx;
        _mevent.y = my;
    }

    // The latch is taken before the state is read: whatever it holds is
    // already in the state.
    const int seen = latched.exchange(0, std::memory_order_acquire);
    int buttons = mouse_b & 3;
    kinds |= transition(buttons, _mevent.buttons, 2, 0x08, 0x10, seen);
    kinds |= transition(buttons, _mevent.buttons, 1, 0x02, 0x04, seen);
    _mevent.buttons = (short)buttons;

    _mevent.kinds = kinds;
    _mevent.time = _timer;
    _gemio->present();
}

void vq_mouse(int handle, short *buttons, short *x, short *y)
{
    (void)handle;
    _mouse_event();
    *buttons = _mevent.buttons & 3;
    *x = _mevent.x;
    *y = _mevent.y;
}

void vq_key_s(int handle, short *state)
{
    (void)handle;
    _mouse_event();
    *state = _mevent.kbstat;
}

void vq_keybd(int handle, short *key)
{
    (void)handle;
    _mouse_event();
    *key = _mevent.key;
}
