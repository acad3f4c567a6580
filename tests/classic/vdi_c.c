/* Classic VDI calls as a classic C program writes them, with int arrays and
 * its own `handle`. */
#include <vdibind.h>

#include "classic/vdi_c.h"

int vdi_c_open(int *work_out)
{
    int work_in[11] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2};
    int handle = 0; /* the physical handle */
    v_opnvwk(work_in, &handle, work_out);
    return handle;
}

void vdi_c_line_clipped(int h)
{
    int clip[4] = {50, 40, 250, 150};
    int line[4] = {0, 0, 319, 199};
    vsl_color(h, 1);
    vs_clip(h, 1, clip);
    v_pline(h, 2, line);
    vs_clip(h, 0, NULL);
}

void vdi_c_line_attributes(int h, int *attrib)
{
    vsl_type(h, DASHDOT);
    vswr_mode(h, MD_TRANS);
    vsl_ends(h, ARROWED, ROUND);
    vql_attributes(h, attrib);
}

void vdi_c_extent(int h, int *extent)
{
    vst_alignment(h, ALI_LEFT, ALI_TOP, NULL, NULL);
    vqt_extent(h, "GEM", extent);
}

int vdi_c_color(int h, int *rgb)
{
    int in[3] = {1000, 0, 500};
    vs_color(h, 30, in);
    return vq_color(h, 30, 0, rgb);
}

int vdi_c_text_height(int h, int *sizes)
{
    return vst_height(h, 13, &sizes[0], &sizes[1], &sizes[2], &sizes[3]);
}

void vdi_c_pixel(int h, int x, int y, int *pel, int *index) { v_get_pixel(h, x, y, pel, index); }

void vdi_c_invert(int h, int x1, int y1, int x2, int y2)
{
    MFDB screen_form = {0}; /* the screen: a null address, the rest left 0 */
    int pxy[8];
    pxy[0] = pxy[4] = x1;
    pxy[1] = pxy[5] = y1;
    pxy[2] = pxy[6] = x2;
    pxy[3] = pxy[7] = y2;
    vro_cpyfm(h, D_INVERT, pxy, &screen_form, &screen_form);
}
