// The simple event calls: loops of polls that wait for a key, button
// transitions, a span of time or the mouse entering or leaving a rectangle.
// Each loop gives the processor up with _idle() between two polls.
#include <stdint.h>

#include "gem/internal.h"

namespace {

void report(short *mx, short *my, short *mbuttons, short *mkbstat)
{
    *mx = _mevent.x;
    *my = _mevent.y;
    *mbuttons = _mevent.buttons & 3;
    *mkbstat = _mevent.kbstat;
}

// The kinds bits that count as a click: the transition of each button in
// `mask` towards the state `state` gives for it.
short wanted_transitions(int mask, int state)
{
    short wanted = 0;
    if (mask & 1)
        wanted |= (state & 1) ? 0x02 : 0x04;
    if (mask & 2)
        wanted |= (state & 2) ? 0x08 : 0x10;
    return wanted;
}

bool inside(long x, long y, long rx, long ry, long rw, long rh)
{
    return x >= rx && x <= rx + rw - 1 && y >= ry && y <= ry + rh - 1;
}

}  // namespace

int evnt_keybd(void)
{
    for (;;) {
        _mouse_event();
        if (_mevent.kinds & 0x80)
            return _mevent.key;
        _idle();
    }
}

int evnt_button(int clicks, int mask, int state, short *mx, short *my, short *mbuttons,
                short *mkbstat)
{
    short wanted = wanted_transitions(mask, state);
    int count = 0;
    // A mask without a button can never be satisfied: return at once
    // rather than wait for ever.
    while (wanted && count < clicks) {
        _mouse_event();
        if (_mevent.kinds & wanted)
            count++;  // once per poll, however many wanted bits it saw
        if (count < clicks)
            _idle();
    }
    report(mx, my, mbuttons, mkbstat);
    return count;
}

int evnt_timer(int locount, int hicount)
{
    _mouse_event();
    // The span is counted in 64 bits, so that no count overflows, and the
    // wait measures the ticks elapsed since the first poll, so that it also
    // ends when the tick counter wraps round during it.
    const int64_t span = (int64_t)locount + 65536LL * hicount;
    const uint32_t start = (uint32_t)_mevent.time;
    _idle_deadline((int32_t)(start + (uint32_t)span));
    while ((int64_t)((uint32_t)_mevent.time - start) < span) {
        _idle();
        _mouse_event();
    }
    return 1;
}

int evnt_mouse(int leave, int rx, int ry, int rw, int rh, short *mx, short *my, short *mbuttons,
               short *mkbstat)
{
    for (;;) {
        _mouse_event();
        bool in = inside(_mevent.x, _mevent.y, rx, ry, rw, rh);
        if (leave ? !in : in)
            break;
        _idle();
    }
    report(mx, my, mbuttons, mkbstat);
    return 1;
}
