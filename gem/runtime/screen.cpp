// Screen modes and the two drawing surfaces: the visible screen (Allegro's
// `screen`) and the off-screen logical screen `_logbmp`. `handle` above 3
// selects the logical screen.
#include <stdio.h>
#include <stdlib.h>

#include "gem/internal.h"

short _scrres = 0;
short _scrwid = 0, _scrht = 0;
BITMAP *_logbmp = NULL;
MFDB _screen = {NULL, 0, 0, 0, 0, 0, 0, 0, 0};
int _oldhand = 0;

BITMAP *_surface(int h) { return h > 3 ? _logbmp : screen; }

static void select_logical(void)
{
    if (handle > 3)
        return;
    _hidemouse();  // the copy must not hold the cursor
    _oldhand = handle;
    handle = 4;
    blit(screen, _logbmp, 0, 0, 0, 0, _scrwid, _scrht);
}

static void select_visible(void)
{
    if (handle <= 3)
        return;
    blit(_logbmp, screen, 0, 0, 0, 0, _scrwid, _scrht);
    handle = _oldhand;
    _showmouse();
}

static void set_rgb6(int entry, unsigned char v)
{
    _palette[entry].r = _palette[entry].g = _palette[entry].b = v;
    _palette[entry].filler = 0;
}

static void set_mode(int rez)
{
    _scrres = (short)rez;
    switch (rez) {
    case 1:
        _scrwid = 640;
        _scrht = 480;
        break;
    case 2:
        _scrwid = 800;
        _scrht = 600;
        break;
    default:
        _scrwid = 320;
        _scrht = 200;
        break;
    }
    _gemio->set_mode(_scrwid, _scrht);

    // The new bitmap is made before the old one goes, so Logbase() changes
    // with every mode setting.
    BITMAP *old = _logbmp;
    _logbmp = create_bitmap(_scrwid, _scrht);
    if (old)
        destroy_bitmap(old);
    if (!_logbmp) {
        fprintf(stderr, "gem: cannot create the %dx%d logical screen\n", _scrwid, _scrht);
        exit(1);
    }
    _screen.fd_w = _scrwid;
    _screen.fd_h = _scrht;

    _clipx1 = 0;
    _clipy1 = 0;
    _clipx2 = (short)(_scrwid - 1);
    _clipy2 = (short)(_scrht - 1);
    _vdi = _vdi_plain;

    // Centre the mouse here too, so the first poll reports no movement.
    _mevent.x = (short)(_scrwid / 2);
    _mevent.y = (short)(_scrht / 2);
    _gemio->warp(_scrwid / 2, _scrht / 2);

    // At 320 x 200 colour 0 is black and 1 white; elsewhere the other way.
    bool low = rez == 0;
    set_rgb6(0, low ? 0 : 63);
    set_rgb6(1, low ? 63 : 0);
    for (int c = 0; c < 3; c++) {
        _defpal[c] = low ? 0 : 255;
        _defpal[3 + c] = low ? 255 : 0;
    }

    vst_color(handle, 1);
    vsl_color(handle, 1);
    vsf_color(handle, 0);
    _colors = 16;
    _origcolors = 16;
    Setpalette();
    _mousedrawn = 0;  // the mode change removed the cursor
}

void Setscreen(int mode, int rez)
{
    if (mode == 1)
        select_logical();
    else if (mode == 0)
        select_visible();
    else
        set_mode(rez);
}

int Getrez(void) { return _scrres; }

unsigned char *Logbase(void) { return _logbmp->line[0]; }

void *Physbase(void) { return NULL; }
