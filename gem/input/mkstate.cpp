// graf_mkstate: the pointer, the buttons and the modifier keys as they are
// now, from one poll.
#include "gem/internal.h"

namespace {

int no_key(void) { return 0; }

void put(short *place, short value)
{
    if (place)
        *place = value;
}

}  // namespace

// The poll leaves the keyboard buffer alone: a key typed meanwhile stays
// for the call that reads keys, however often a program asks for the state.
int graf_mkstate(short *mx, short *my, short *mbutton, short *kbstate)
{
    GEM_IO *const io = _gemio;
    GEM_IO without_keys = *io;
    without_keys.keypressed = no_key;
    _gemio = &without_keys;
    _mouse_event();
    _gemio = io;
    put(mx, _mevent.x);
    put(my, _mevent.y);
    put(mbutton, (short)(_mevent.buttons & 3));
    put(kbstate, _mevent.kbstat);
    return 1;
}
