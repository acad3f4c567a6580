/* hello: a C program on the layer. It opens the 320 x 200 screen, draws a
 * framed bar and two lines of text in the built-in fonts, waits for a key
 * and ends. Build: part of the CMake build (examples/hello). */
#include <allegro.h>

#include "gem/gem.h"

int handle = 0;

int main(void)
{
    short bar[4] = {40, 60, 279, 139};
    short frame[10] = {39, 59, 280, 59, 280, 140, 39, 140, 39, 59};

    appl_init(0);
    vsf_color(handle, 4);
    v_bar(handle, bar);
    vsl_color(handle, 1);
    v_pline(handle, 5, frame);

    vst_color(handle, 1);
    vsf_color(handle, 4);
    vst_font(handle, 1);
    v_gtext(handle, 56, 90, "Hello from GEM");
    vst_font(handle, 0);
    vst_effects(handle, TXT_ITALIC);
    v_gtext(handle, 56, 118, "Press any key");

    evnt_keybd();
    appl_exit();
    return 0;
}
END_OF_MAIN()
