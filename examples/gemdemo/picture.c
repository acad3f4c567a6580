/* The picture is decoded line by line into a memory form as wide as the
 * part shown, then copied to the screen with one raster copy. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "gem/gem.h"
#include "picture.h"

extern int handle;

#define HEADER         128
#define PALETTE_AT_END 769 /* the marker byte 12 and 256 triples */

static int u16(const unsigned char *p) { return p[0] | p[1] << 8; }

/* Decodes one line of `length` bytes; the part past `keep` is read and
 * dropped. Returns 0 when the file ends first. */
static int read_line(FILE *f, unsigned char *out, int length, int keep)
{
    int n = 0;
    while (n < length) {
        int c = fgetc(f), run = 1;
        if (c == EOF)
            return 0;
        if (c >= 192) {
            run = c & 63;
            if ((c = fgetc(f)) == EOF)
                return 0;
        }
        for (; run > 0 && n < length; run--, n++)
            if (n < keep)
                out[n] = (unsigned char)(c + 16);
    }
    return 1;
}

static const char *show_lines(FILE *f, int bytes_per_line, int w, int h)
{
    const short sw = 320, sh = 200;
    const int shown_w = w < sw ? w : sw, shown_h = h < sh ? h : sh;
    unsigned char *pixels = malloc((size_t)shown_w * (size_t)shown_h);
    const char *refused = NULL;
    MFDB form = {0}, screen_form = {0};
    short pxy[8];
    int y;
    if (!pixels)
        return "there is no memory for it";
    for (y = 0; y < shown_h && !refused; y++)
        if (!read_line(f, pixels + y * shown_w, bytes_per_line, shown_w))
            refused = "it ends before its last line";
    if (!refused) {
        form.fd_addr = pixels;
        form.fd_w = (short)shown_w;
        form.fd_h = (short)shown_h;
        pxy[0] = pxy[1] = pxy[4] = pxy[5] = 0;
        pxy[2] = pxy[6] = (short)(shown_w - 1);
        pxy[3] = pxy[7] = (short)(shown_h - 1);
        screen_form.fd_w = sw; /* a surface's size limits the copy */
        screen_form.fd_h = sh;
        vsf_color(handle, 0);
        graf_mouse(M_OFF, NULL);
        v_clrwk(handle);
        graf_mouse(M_ON, NULL);
        vro_cpyfm(handle, 3, pxy, &form, &screen_form);
    }
    free(pixels);
    return refused;
}

const char *show_picture(const char *path)
{
    unsigned char head[HEADER], palette[PALETTE_AT_END];
    const char *refused = NULL;
    int w, h;
    FILE *f = fopen(path, "rb");
    if (!f)
        return "it cannot be opened";
    if (fread(head, 1, HEADER, f) != HEADER || fseek(f, -PALETTE_AT_END, SEEK_END) != 0 ||
        fread(palette, 1, PALETTE_AT_END, f) != PALETTE_AT_END)
        refused = "it is too short for a PCX picture";
    else if (head[0] != 10 || head[2] != 1 || head[3] != 8 || head[65] != 1 || palette[0] != 12)
        refused = "it is not an 8-bit run-length PCX picture";
    w = u16(head + 8) - u16(head + 4) + 1;
    h = u16(head + 10) - u16(head + 6) + 1;
    if (!refused && (w <= 0 || h <= 0 || u16(head + 66) < w))
        refused = "its size is damaged";
    if (!refused) {
        Forcepalette(16, 240, palette + 1);
        fseek(f, HEADER, SEEK_SET);
        refused = show_lines(f, u16(head + 66), w, h);
    }
    fclose(f);
    return refused;
}
