// The classic event calls: classic key codes, the time as one 32-bit count
// (the macros join locount and hicount), and outs and message buffers in the
// program's widths.
#include "gem/classic/internal.h"
#include "gem/classic/keys.h"
#include "gem/classic/trees.h"

namespace {

constexpr int MESSAGE_WORDS = 8;

// The layer's outs of one call, handed on to the program's.
struct Outs {
    short x = 0, y = 0, button = 0, kstate = 0;

    void give(GEMC_REF mx, GEMC_REF my, GEMC_REF mbutton, GEMC_REF mkstate) const
    {
        gemc_put(mx, 0, x);
        gemc_put(my, 0, y);
        gemc_put(mbutton, 0, button);
        gemc_put(mkstate, 0, kstate);
    }
};

// A message buffer in the layer's words. It starts as the program's words,
// so a word the layer does not write (a menu message's last three) is left
// as the program had it.
struct Message {
    short words[MESSAGE_WORDS];

    explicit Message(GEMC_REF ref)
    {
        for (int i = 0; i < MESSAGE_WORDS; i++)
            words[i] = (short)gemc_get(ref, i);
    }

    void give(GEMC_REF ref) const
    {
        for (int i = 0; i < MESSAGE_WORDS; i++)
            gemc_put(ref, i, words[i]);
    }
};

// While it waits for events the layer works the menu bar's twin (a title
// stays selected after a choice): the twin takes the program's changes
// first, and the classic tree hears of the layer's afterwards.
struct MenuSync {
    MenuSync() { _gemc_trees_in(); }
    ~MenuSync() { _gemc_trees_out(); }
    MenuSync(const MenuSync &) = delete;
    MenuSync &operator=(const MenuSync &) = delete;
};

int classic_key(short layer) { return layer ? _gemc_key_classic(layer) : 0; }

// The layer counts the time as locount + 65536 * hicount.
int low_half(unsigned long ms) { return (int)(ms & 0xFFFF); }
int high_half(unsigned long ms) { return (int)((ms >> 16) & 0xFFFF); }

}  // namespace

int gemc_evnt_keybd(void)
{
    const MenuSync sync;
    return classic_key((short)evnt_keybd());
}

int gemc_evnt_button(int clicks, int mask, int state, GEMC_REF mx, GEMC_REF my, GEMC_REF button,
                     GEMC_REF kstate)
{
    const MenuSync sync;
    Outs o;
    const int n = evnt_button(clicks, mask, state, &o.x, &o.y, &o.button, &o.kstate);
    o.give(mx, my, button, kstate);
    return n;
}

int gemc_evnt_mouse(int leave, int x, int y, int w, int h, GEMC_REF mx, GEMC_REF my,
                    GEMC_REF button, GEMC_REF kstate)
{
    const MenuSync sync;
    Outs o;
    const int r = evnt_mouse(leave, x, y, w, h, &o.x, &o.y, &o.button, &o.kstate);
    o.give(mx, my, button, kstate);
    return r;
}

int gemc_evnt_timer(unsigned long ms)
{
    const MenuSync sync;
    return evnt_timer(low_half(ms), high_half(ms));
}

int gemc_evnt_mesag(GEMC_REF msg)
{
    const MenuSync sync;
    if (!msg.p)
        return 0;
    Message m(msg);
    const int r = evnt_mesag(m.words);
    m.give(msg);
    return r;
}

int gemc_evnt_multi(int flags, int clicks, int mask, int state, int m1flag, int m1x, int m1y,
                    int m1w, int m1h, int m2flag, int m2x, int m2y, int m2w, int m2h, GEMC_REF msg,
                    unsigned long ms, GEMC_REF mx, GEMC_REF my, GEMC_REF button, GEMC_REF kstate,
                    GEMC_REF key, GEMC_REF clicks_out)
{
    const MenuSync sync;
    Outs o;
    Message m(msg);
    short k = 0, n = 0;
    const int events = evnt_multi(flags, clicks, mask, state, m1flag, m1x, m1y, m1w, m1h, m2flag,
                                  m2x, m2y, m2w, m2h, msg.p ? m.words : nullptr, low_half(ms),
                                  high_half(ms), &o.x, &o.y, &o.button, &o.kstate, &k, &n);
    o.give(mx, my, button, kstate);
    if (events & EV_MESSAGE)
        m.give(msg);
    gemc_put(key, 0, (events & EV_KEYBOARD) ? classic_key(k) : 0);
    gemc_put(clicks_out, 0, n);
    return events;
}
