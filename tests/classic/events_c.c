/* The profile's event, window and screen calls by their classic names,
 * from C. */
#include <aesbind.h>
#include <gemdefs.h>
#include <osbind.h>

#include "classic/events_c.h"

int events_c_keybd(void) { return evnt_keybd(); }

EVENTS_C_RESULT events_c_multi23(int flags, unsigned short lo, unsigned short hi)
{
    EVENTS_C_RESULT r = {0};
    WORD msg[8] = {0}, x, y, b, k, key, n;
    WORD wlo = (WORD)lo, whi = (WORD)hi; /* as a 16-bit program holds them */
    r.events = evnt_multi(flags, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, msg, wlo, whi, &x, &y, &b,
                          &k, &key, &n);
    r.key = key;
    r.clicks = n;
    r.x = x;
    r.y = y;
    r.button = b;
    r.kstate = k;
    for (int i = 0; i < 8; i++)
        r.msg[i] = msg[i];
    return r;
}

EVENTS_C_RESULT events_c_multi22(int flags, unsigned long ms)
{
    EVENTS_C_RESULT r = {0};
    r.events = evnt_multi(flags, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, r.msg, ms, &r.x, &r.y,
                          &r.button, &r.kstate, &r.key, &r.clicks);
    return r;
}

int events_c_timer2(unsigned short lo, unsigned short hi) { return evnt_timer((WORD)lo, (WORD)hi); }

int events_c_timer1(unsigned long ms) { return evnt_timer(ms); }

int events_c_named_window(const char *name, int *x, int *y, int *w, int *h)
{
    const int wh = wind_create(NAME | MOVER, 0, 20, 200, 100);
    wind_set(wh, WF_NAME, (long)name >> 16, (long)name & 0xFFFF, 0, 0);
    wind_get(wh, WF_CURRXYWH, x, y, w, h);
    return wh;
}

int events_c_message_round_trip(const int *in, short *out)
{
    if (!appl_write(gl_apid, 16, in))
        return 0;
    return evnt_mesag(out);
}

int events_c_graf_handle(short *wchar, int *hchar)
{
    WORD wbox;
    long hbox;
    return graf_handle(wchar, hchar, &wbox, &hbox);
}

int events_c_setcolor(int reg, int colour) { return Setcolor(reg, colour); }

int events_c_getrez(void) { return Getrez(); }
