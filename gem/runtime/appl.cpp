// Application start-up and shutdown: appl_init brings the whole layer up in
// one call, appl_exit takes it down and ends the process.
#include <stdlib.h>
#include <time.h>

#include "gem/internal.h"

volatile int32_t _timer = 0;
int _zehandle = 0;
BITMAP *_mousebmp = NULL;
OBJECT *_fselbox = NULL, *_alertbox = NULL, *_inputbox = NULL;

// The 1 ms tick callback; the only writer of _timer. After 2^31 ticks
// (about 24.8 days) the counter wraps round to negative values; readers
// compare differences, so it is counted in unsigned arithmetic.
int _timeit(void)
{
    _timer = (int32_t)((uint32_t)_timer + 1u);
    return 0;
}

int appl_init(int rez)
{
    _gemio->start();
    Setscreen(-1, rez);
    _mevent.kinds = 0x54;

    _mousebmp = create_bitmap(16, 16);
    if (!_mousebmp) {
        _gemio->stop();
        exit(1);
    }
    _mouse.shape = _mousebmp->line[0];
    // After the mode setting: the outline colour is looked up in the palette
    // it wrote.
    _setmouse(&_mice[0]);

    srand((unsigned)time(NULL));

    rsrc_include(_guirsh);
    rsrc_gaddr(R_TREE, 0, &_fselbox);
    rsrc_gaddr(R_TREE, 1, &_alertbox);
    rsrc_gaddr(R_TREE, 2, &_inputbox);

    vst_user_font(handle, _font0);
    vst_user_font(handle, _font1);
    vst_user_font(handle, _font2);
    vst_font(handle, 0);
    return 1;
}

void _appl_shutdown(void)
{
    if (!_mousebmp)
        return;
    destroy_bitmap(_mousebmp);
    _mousebmp = NULL;
    _gemio->stop();
}

int appl_exit(void)
{
    _appl_shutdown();
    exit(0);
}

int graf_handle(short *wchar, short *hchar, short *wbox, short *hbox)
{
    *wchar = _font->max_char_width;
    *hchar = _font->form_height;
    *wbox = _font->max_cell_width;
    *hbox = _font->form_height;
    return _zehandle;
}
