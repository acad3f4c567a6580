/* vdishow: one 640 x 480 screen of everything the VDI draws: the 24 fill
 * patterns and 12 hatches, the line types, widths and ends, the markers, the
 * shapes, the text alignments and rotations, and the four writing modes.
 *
 * It prints "drawn" when the screen is complete. Given a file name, it also
 * writes what it drew there as a binary PPM picture (read back from the
 * screen through the palette), so that a test can compare it with what the
 * display shows. A key or a click ends it. */
#include <allegro.h>
#include <stdio.h>
#include <stdlib.h>

#include "gem/gem.h"

int handle = 0;

enum { W = 640, H = 480, INK = 1, PAPER = 0, RED = 2, GREEN = 3, BLUE = 4, GREY = 8 };

static void label(int x, int y, const char *text)
{
    vst_font(handle, 2); /* 6 x 6 */
    vswr_mode(handle, MD_TRANS);
    vst_color(handle, INK);
    vst_alignment(handle, TA_LEFT, TA_BASE, NULL, NULL);
    vst_rotation(handle, 0);
    v_gtext(handle, x, y, text);
}

static void heading(int y, const char *text)
{
    vst_font(handle, 0); /* 8 x 8 */
    vswr_mode(handle, MD_TRANS);
    vst_color(handle, BLUE);
    vst_alignment(handle, TA_LEFT, TA_BASE, NULL, NULL);
    v_gtext(handle, 8, y, text);
}

static void swatch(int x, int y, int interior, int style, int colour)
{
    short box[4];
    char number[8];
    box[0] = (short)x;
    box[1] = (short)y;
    box[2] = (short)(x + 43);
    box[3] = (short)(y + 25);
    vswr_mode(handle, MD_REPLACE);
    vsf_interior(handle, interior);
    vsf_style(handle, style);
    vsf_color(handle, colour);
    vsf_perimeter(handle, 1);
    v_bar(handle, box);
    sprintf(number, "%d", style);
    label(x, y + 33, number);
}

static void fills(void)
{
    int i;
    heading(10, "Patterns 1-24 and hatches 1-12");
    for (i = 0; i < 12; i++) {
        swatch(8 + 52 * i, 14, FIS_PATTERN, i + 1, INK);
        swatch(8 + 52 * i, 52, FIS_PATTERN, i + 13, BLUE);
        swatch(8 + 52 * i, 90, FIS_HATCH, i + 1, i < 6 ? RED : GREEN);
    }
}

static void segment(int x1, int y1, int x2, int y2)
{
    short p[4];
    p[0] = (short)x1;
    p[1] = (short)y1;
    p[2] = (short)x2;
    p[3] = (short)y2;
    v_pline(handle, 2, p);
}

static void lines(void)
{
    static const char *const types[] = {"solid", "long dash",  "dot", "dash dot",
                                        "dash",  "dash 2 dot", "user"};
    static const int widths[] = {1, 3, 5, 9, 15};
    char number[8];
    int i, k;

    heading(140, "Line types, widths and ends; markers");
    vswr_mode(handle, MD_REPLACE);
    vsl_color(handle, INK);
    vsl_width(handle, 1);
    vsl_ends(handle, SQUARE, SQUARE);
    vsl_udsty(handle, 0xCCF0);
    for (i = 0; i < 7; i++) {
        vsl_type(handle, i + 1);
        segment(8, 150 + 12 * i, 150, 150 + 12 * i);
        label(156, 153 + 12 * i, types[i]);
    }
    vsl_type(handle, SOLID);
    for (i = 0; i < 5; i++) {
        vsl_width(handle, widths[i]);
        vsl_color(handle, i % 2 ? RED : INK);
        vsl_ends(handle, i % 3, (i + 1) % 3);
        segment(240, 152 + 17 * i, 400, 152 + 17 * i);
    }
    vsl_width(handle, 1);
    vsl_ends(handle, SQUARE, SQUARE);

    vsm_color(handle, BLUE);
    for (i = 0; i < 6; i++) {
        for (k = 0; k < 3; k++) {
            short p[2];
            p[0] = (short)(440 + 32 * i);
            p[1] = (short)(158 + 22 * k);
            vsm_type(handle, i + 1);
            vsm_height(handle, 5 + 6 * k);
            v_pmarker(handle, 1, p);
        }
        sprintf(number, "%d", i + 1);
        label(438 + 32 * i, 236, number);
    }
}

static void shapes(void)
{
    static const short star[10] = {580, 260, 600, 330, 545, 285, 615, 285, 560, 330};
    short box[4];
    heading(256, "Shapes");
    vswr_mode(handle, MD_REPLACE);
    vsf_perimeter(handle, 1);
    vsl_color(handle, INK);
    vsl_type(handle, SOLID);
    vsl_width(handle, 1);

    vsf_interior(handle, FIS_SOLID);
    vsf_color(handle, RED);
    v_circle(handle, 40, 300, 30);
    vsf_interior(handle, FIS_PATTERN);
    vsf_style(handle, 4);
    vsf_color(handle, BLUE);
    v_ellipse(handle, 120, 300, 40, 24);
    vsf_interior(handle, FIS_HATCH);
    vsf_style(handle, 3);
    vsf_color(handle, INK);
    v_pieslice(handle, 200, 310, 34, 300, 2400);
    vsf_interior(handle, FIS_SOLID);
    vsf_color(handle, GREEN);
    v_ellpie(handle, 280, 310, 40, 26, 900, 3000);
    vsf_interior(handle, FIS_PATTERN);
    vsf_style(handle, 19);
    vsf_color(handle, RED);
    box[0] = 330;
    box[1] = 272;
    box[2] = 400;
    box[3] = 330;
    v_rfbox(handle, box);
    vsf_interior(handle, FIS_SOLID);
    vsf_color(handle, BLUE);
    v_fillarea(handle, 5, star);

    vsl_width(handle, 3);
    v_arc(handle, 450, 310, 30, 0, 2700);
    vsl_width(handle, 1);
    vsl_color(handle, RED);
    v_ellarc(handle, 510, 300, 26, 16, 1800, 3600);
    vsl_color(handle, INK);
    box[0] = 420;
    box[1] = 332;
    box[2] = 630;
    box[3] = 360;
    v_rbox(handle, box);
    /* A ring outlined, then filled from inside up to its outline. */
    vsf_interior(handle, FIS_HATCH);
    vsf_style(handle, 6);
    vsf_color(handle, GREEN);
    v_arc(handle, 40, 350, 12, 0, 3600);
    v_contourfill(handle, 40, 350, INK);
    label(60, 353, "contour fill");
}

static void cross(int x, int y)
{
    vsl_color(handle, RED);
    vsl_type(handle, SOLID);
    segment(x - 4, y, x + 4, y);
    segment(x, y - 4, x, y + 4);
}

static void text(void)
{
    static const char *const vnames[] = {"base", "half", "ascent", "bottom", "descent", "top"};
    char words[32];
    int h, v, a;

    heading(376, "Text: alignments, rotations, writing modes");
    vst_font(handle, 1); /* 8 x 16 */
    vst_color(handle, INK);
    vswr_mode(handle, MD_TRANS);
    for (v = 0; v < 6; v++) {
        for (h = 0; h < 3; h++) {
            int x = 40 + 70 * h, y = 392 + 16 * v;
            cross(x, y);
            vst_font(handle, 0);
            vst_alignment(handle, h, v, NULL, NULL);
            v_gtext(handle, x, y, "Ag");
        }
        label(224, 395 + 16 * v - 4, vnames[v]);
    }
    vst_font(handle, 1);
    vst_alignment(handle, TA_LEFT, TA_BASE, NULL, NULL);
    for (a = 0; a < 4; a++) {
        cross(330, 430);
        vst_rotation(handle, 900 * a);
        v_gtext(handle, 330, 430, "Turn");
    }
    vst_rotation(handle, 0);

    /* The writing modes: a striped bar, then the same text in each mode. */
    for (a = 0; a < 4; a++) {
        short box[4];
        int x = 400 + 60 * a;
        box[0] = (short)x;
        box[1] = 396;
        box[2] = (short)(x + 52);
        box[3] = 420;
        vswr_mode(handle, MD_REPLACE);
        vsf_interior(handle, FIS_HATCH);
        vsf_style(handle, 5);
        vsf_color(handle, INK);
        v_bar(handle, box);
        vst_effects(handle, TXT_BOLD);
        vswr_mode(handle, a + 1);
        vst_color(handle, RED);
        vsf_color(handle, GREY);
        v_gtext(handle, x + 2, 414, "Mode");
        vst_effects(handle, 0);
        sprintf(words, "%d", a + 1);
        label(x + 20, 430, words);
    }
    vswr_mode(handle, MD_TRANS);
    vst_font(handle, 0);
    vst_color(handle, INK);
    vsf_color(handle, PAPER);
    v_justified(handle, 400, 460, "justified to 220 pixels", 220, 1, 0);
}

/* The screen, read back through the palette, as a binary PPM. */
static int save_ppm(const char *path)
{
    MFDB form = {0}, visible = {0}; /* visible: a null address, the screen's size */
    short pxy[8] = {0, 0, W - 1, H - 1, 0, 0, W - 1, H - 1};
    unsigned char *pixels = malloc((size_t)W * H);
    FILE *file;
    long i;
    if (!pixels)
        return 0;
    visible.fd_w = W;
    visible.fd_h = H;
    form.fd_addr = pixels;
    form.fd_w = W;
    form.fd_h = H;
    vs_clip(handle, 0, NULL);
    vro_cpyfm(handle, 3, pxy, &visible, &form);
    file = fopen(path, "wb");
    if (!file) {
        free(pixels);
        return 0;
    }
    fprintf(file, "P6\n%d %d\n255\n", W, H);
    for (i = 0; i < (long)W * H; i++) {
        unsigned char rgb[3];
        Getcolor(pixels[i], rgb);
        fwrite(rgb, 1, 3, file);
    }
    free(pixels);
    return fclose(file) == 0;
}

int main(int argc, char **argv)
{
    short mx, my, button, kbstat, key, clicks, msg[8];

    appl_init(1); /* 640 x 480 */
    graf_mouse(M_OFF, NULL);
    vsf_color(handle, PAPER);
    v_clrwk(handle);

    fills();
    lines();
    shapes();
    text();

    if (argc > 1 && !save_ppm(argv[1])) {
        fprintf(stderr, "vdishow: cannot write %s\n", argv[1]);
        return 1;
    }
    printf("drawn\n");
    fflush(stdout);

    evnt_multi(MU_KEYBD | MU_BUTTON, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, msg, 0, 0, &mx, &my,
               &button, &kbstat, &key, &clicks);
    appl_exit();
    return 0;
}
END_OF_MAIN()
