/* winview: a windowed viewer on the layer's window manager.
 *
 * Two windows over a desktop tree, at 640 x 480:
 *   - "Picture" shows a 512 x 512 picture the program computes in a memory
 *     form: coloured 64 x 64 tiles (each its own colour, in palette entries
 *     from the first free one on) under a black grid every 16 pixels. It
 *     scrolls with both scroll bars; its info line shows the scroll offsets.
 *   - "Notes" shows a few lines of text.
 * The menu bar (from winview.rsc, built from winview.txt by mkrsc) has an
 * about alert, entries that open a closed window again, and Quit. Closing
 * both windows does not end the program: it ends with Quit or when the
 * display asks it to (AP_TERM).
 *
 * The program waits in evnt_multi for messages and answers each one the way
 * a GEM program does: it redraws through the rectangle list, and moves,
 * sizes, tops, fulls and scrolls its windows itself with wind_set. Each
 * thing it did is told on standard output, one line each, and after each
 * change the window's outer and work rectangles, so that whoever drives it
 * (the end-to-end test) knows where everything is.
 */
#define _POSIX_C_SOURCE 200809L /* readlink */
#include <allegro.h>
#include <limits.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "gem/gem.h"
#include "winview_rsc.h"

int handle = 0;

/* ---- telling what happened ------------------------------------------------ */

static void say(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    vprintf(format, args);
    va_end(args);
    putchar('\n');
    fflush(stdout);
}

/* ---- rectangles ----------------------------------------------------------- */

/* `into` becomes its overlap with `with`; 0 when they do not overlap. */
static int intersect(const GRECT *with, GRECT *into)
{
    const int x1 = into->g_x > with->g_x ? into->g_x : with->g_x;
    const int y1 = into->g_y > with->g_y ? into->g_y : with->g_y;
    const int x2 = into->g_x + into->g_w < with->g_x + with->g_w ? into->g_x + into->g_w
                                                                 : with->g_x + with->g_w;
    const int y2 = into->g_y + into->g_h < with->g_y + with->g_h ? into->g_y + into->g_h
                                                                 : with->g_y + with->g_h;
    into->g_x = (short)x1;
    into->g_y = (short)y1;
    into->g_w = (short)(x2 - x1);
    into->g_h = (short)(y2 - y1);
    return x2 > x1 && y2 > y1;
}

static int same_rect(const GRECT *a, const GRECT *b)
{
    return a->g_x == b->g_x && a->g_y == b->g_y && a->g_w == b->g_w && a->g_h == b->g_h;
}

/* Corner pairs for the VDI, from position and size. */
static void corners(const GRECT *r, short *pxy)
{
    pxy[0] = r->g_x;
    pxy[1] = r->g_y;
    pxy[2] = (short)(r->g_x + r->g_w - 1);
    pxy[3] = (short)(r->g_y + r->g_h - 1);
}

static void get_rect(int wh, int field, GRECT *r)
{
    wind_get(wh, field, &r->g_x, &r->g_y, &r->g_w, &r->g_h);
}

/* ---- the picture ---------------------------------------------------------- */

#define SCR_W 640 /* appl_init(1) */
#define SCR_H 480
#define PIC_W 512
#define PIC_H 512
#define TILE  64 /* each tile its own colour */
#define GRID  16 /* the black grid's spacing */
#define TILES (PIC_W / TILE)
#define LINE  16 /* a line scroll, in pixels */
#define BLACK 1  /* at 640 x 480 colour 0 is white and 1 black */
#define WHITE 0
#define GREY  8 /* the work area beyond the picture */

static MFDB picture;

/* Tile (tx, ty) has red 9 tx and green 9 ty (of 63), and blue 48 or 16 in a
 * checkerboard; its pixel value is the first free palette entry plus
 * tx + 8 ty. Pixels on a grid line are black. */
static int make_picture(void)
{
    unsigned char rgb[3 * TILES * TILES];
    unsigned char *pixels;
    const int first = Getpalette(); /* the entries below are in use */
    int tx, ty, x, y;
    if (first + TILES * TILES > 256)
        return 0;
    pixels = malloc((size_t)PIC_W * PIC_H);
    if (!pixels)
        return 0;
    for (ty = 0; ty < TILES; ty++) {
        for (tx = 0; tx < TILES; tx++) {
            unsigned char *c = rgb + 3 * (tx + TILES * ty);
            c[0] = (unsigned char)(4 * 9 * tx);
            c[1] = (unsigned char)(4 * 9 * ty);
            c[2] = (unsigned char)(4 * ((tx + ty) % 2 ? 48 : 16));
        }
    }
    Forcepalette(first, TILES * TILES, rgb);
    for (y = 0; y < PIC_H; y++) {
        for (x = 0; x < PIC_W; x++) {
            const int grid = x % GRID == 0 || y % GRID == 0;
            pixels[(long)y * PIC_W + x] =
                (unsigned char)(grid ? BLACK : first + x / TILE + TILES * (y / TILE));
        }
    }
    memset(&picture, 0, sizeof picture);
    picture.fd_addr = pixels;
    picture.fd_w = PIC_W;
    picture.fd_h = PIC_H;
    picture.fd_nplanes = 8;
    return 1;
}

/* ---- the windows ---------------------------------------------------------- */

typedef struct view {
    int wh; /* the window's handle; -1 while it is closed */
    int kind;
    const char *name;
    GRECT place;    /* the outer rectangle it opens at again */
    int sx, sy;     /* the picture's scroll offsets */
    int menu_entry; /* the menu entry that opens it again */
} VIEW;

#define PICTURE_KIND                                                                               \
    (NAME | CLOSER | FULLER | MOVER | INFO | SIZER | UPARROW | DNARROW | VSLIDE | LFARROW |        \
     RTARROW | HSLIDE)
#define NOTES_KIND (NAME | CLOSER | MOVER | FULLER | SIZER)

static VIEW views[2] = {
    {-1, PICTURE_KIND, "Picture", {72, 24, 380, 300}, 0, 0, M_PICTURE},
    {-1, NOTES_KIND, "Notes", {330, 190, 290, 220}, 0, 0, M_NOTES},
};
static VIEW *const pic = &views[0];
static VIEW *const notes = &views[1];

static OBJECT *menu, *desk;

static const char *const note_lines[] = {
    "Notes",
    "",
    "Click a window to top it.",
    "Drag a title bar to move it,",
    "the corner box to size it.",
    "The box at the top right fills",
    "the desktop, and gives the old",
    "place back. Arrows, tracks and",
    "sliders scroll the picture.",
    "The box at the top left closes",
    "a window; File opens it again.",
};
#define NOTE_LINES  ((int)(sizeof note_lines / sizeof note_lines[0]))
#define NOTE_LEFT   8  /* the text's margin */
#define NOTE_TOP    6  /* the first line's cell top below the work area's top */
#define NOTE_STEP   12 /* rows from one line to the next */
#define FONT_ASCENT 6  /* the 8 x 8 font: base line below the cell top */

static VIEW *view_of(int wh)
{
    int i;
    for (i = 0; i < 2; i++)
        if (views[i].wh == wh && wh > 0)
            return &views[i];
    return NULL;
}

static void report(const VIEW *v)
{
    GRECT c, w;
    get_rect(v->wh, WF_CURRXYWH, &c);
    get_rect(v->wh, WF_WORKXYWH, &w);
    say("rect %d curr %d %d %d %d work %d %d %d %d", v->wh, c.g_x, c.g_y, c.g_w, c.g_h, w.g_x,
        w.g_y, w.g_w, w.g_h);
}

/* How far the picture scrolls along an axis whose work area is `seen`. */
static int scroll_room(int total, int seen) { return total > seen ? total - seen : 0; }

/* Keeps the scroll offsets inside the picture; 1 when they changed. */
static int clamp_scroll(VIEW *v)
{
    GRECT w;
    int mx, my, sx, sy;
    get_rect(v->wh, WF_WORKXYWH, &w);
    mx = scroll_room(PIC_W, w.g_w);
    my = scroll_room(PIC_H, w.g_h);
    sx = v->sx < 0 ? 0 : v->sx > mx ? mx : v->sx;
    sy = v->sy < 0 ? 0 : v->sy > my ? my : v->sy;
    if (sx == v->sx && sy == v->sy)
        return 0;
    v->sx = sx;
    v->sy = sy;
    return 1;
}

/* A slider's size and position in thousandths: the part of the picture
 * that shows, and how far along the scroll is. */
static int slider_size(int total, int seen) { return seen >= total ? 1000 : seen * 1000 / total; }

static int slider_pos(int offset, int room)
{
    return room > 0 ? (int)((long)offset * 1000 / room) : 0;
}

/* The sliders and the info line, in step with the scroll offsets. */
static void show_scroll(const VIEW *v)
{
    GRECT w;
    char info[GEM_WINDOW_TEXT];
    short hp, hs, vp, vs;
    get_rect(v->wh, WF_WORKXYWH, &w);
    wind_set(v->wh, WF_HSLSIZE, slider_size(PIC_W, w.g_w), 0, 0, 0);
    wind_set(v->wh, WF_VSLSIZE, slider_size(PIC_H, w.g_h), 0, 0, 0);
    wind_set(v->wh, WF_HSLIDE, slider_pos(v->sx, scroll_room(PIC_W, w.g_w)), 0, 0, 0);
    wind_set(v->wh, WF_VSLIDE, slider_pos(v->sy, scroll_room(PIC_H, w.g_h)), 0, 0, 0);
    snprintf(info, sizeof info, "x %d  y %d  of %d x %d", v->sx, v->sy, PIC_W, PIC_H);
    wind_set_str(v->wh, WF_INFO, info);
    wind_get(v->wh, WF_HSLIDE, &hp, NULL, NULL, NULL);
    wind_get(v->wh, WF_HSLSIZE, &hs, NULL, NULL, NULL);
    wind_get(v->wh, WF_VSLIDE, &vp, NULL, NULL, NULL);
    wind_get(v->wh, WF_VSLSIZE, &vs, NULL, NULL, NULL);
    say("sliders %d %d %d %d %d", v->wh, hp, hs, vp, vs);
}

/* The part `r` of the picture window's work area `w`: the picture at the
 * scroll offsets, grey where the work area is larger than the picture. */
static void paint_picture(const VIEW *v, const GRECT *w, const GRECT *r)
{
    GRECT shown = *w, part;
    short pxy[8];
    int k;
    shown.g_w = (short)(PIC_W - v->sx < w->g_w ? PIC_W - v->sx : w->g_w);
    shown.g_h = (short)(PIC_H - v->sy < w->g_h ? PIC_H - v->sy : w->g_h);
    part = shown;
    if (intersect(r, &part)) {
        pxy[0] = (short)(v->sx + part.g_x - w->g_x);
        pxy[1] = (short)(v->sy + part.g_y - w->g_y);
        pxy[2] = (short)(pxy[0] + part.g_w - 1);
        pxy[3] = (short)(pxy[1] + part.g_h - 1);
        corners(&part, pxy + 4);
        {
            /* The screen: a null address; its size limits the copy. */
            MFDB screen_form;
            memset(&screen_form, 0, sizeof screen_form);
            screen_form.fd_w = SCR_W;
            screen_form.fd_h = SCR_H;
            vro_cpyfm(handle, 3, pxy, &picture, &screen_form);
        }
    }
    /* Right of the picture, then below it; the clip keeps both inside r. */
    vsf_color(handle, GREY);
    for (k = 0; k < 2; k++) {
        GRECT beyond = *w;
        if (k == 0) {
            beyond.g_x = (short)(w->g_x + shown.g_w);
            beyond.g_w = (short)(w->g_w - shown.g_w);
        } else {
            beyond.g_w = shown.g_w;
            beyond.g_y = (short)(w->g_y + shown.g_h);
            beyond.g_h = (short)(w->g_h - shown.g_h);
        }
        if (intersect(r, &beyond)) {
            corners(&beyond, pxy);
            v_bar(handle, pxy);
        }
    }
}

/* The part `r` of the notes window's work area `w`: black text on white. */
static void paint_notes(const GRECT *w, const GRECT *r)
{
    short pxy[4];
    int i;
    corners(r, pxy);
    vsf_color(handle, WHITE);
    v_bar(handle, pxy);
    /* v_gtext leaves out the clip's last column, so the text's clip ends
     * one column after r. */
    pxy[2] = (short)(pxy[2] + 1);
    vs_clip(handle, 1, pxy);
    vst_font(handle, 0);
    vst_color(handle, BLACK);
    vst_effects(handle, 0);
    for (i = 0; i < NOTE_LINES; i++)
        v_gtext(handle, w->g_x + NOTE_LEFT, w->g_y + NOTE_TOP + FONT_ASCENT + NOTE_STEP * i,
                note_lines[i]);
}

/* Paints the part `area` of a window's work area through its rectangle
 * list: each visible rectangle, cut to the area, gets the clip and is
 * painted. The screen is the program's meanwhile (BEG_UPDATE), and the
 * pointer is hidden. */
static void redraw(const VIEW *v, const GRECT *area)
{
    GRECT w, r;
    short pxy[4];
    get_rect(v->wh, WF_WORKXYWH, &w);
    wind_update(BEG_UPDATE);
    graf_mouse(M_OFF, NULL);
    wind_get(v->wh, WF_FIRSTXYWH, &r.g_x, &r.g_y, &r.g_w, &r.g_h);
    while (r.g_w > 0 && r.g_h > 0) {
        if (intersect(area, &r)) {
            corners(&r, pxy);
            vs_clip(handle, 1, pxy);
            if (v == pic)
                paint_picture(v, &w, &r);
            else
                paint_notes(&w, &r);
            vs_clip(handle, 0, pxy);
        }
        wind_get(v->wh, WF_NEXTXYWH, &r.g_x, &r.g_y, &r.g_w, &r.g_h);
    }
    graf_mouse(M_ON, NULL);
    wind_update(END_UPDATE);
}

static void redraw_work(const VIEW *v)
{
    GRECT w;
    get_rect(v->wh, WF_WORKXYWH, &w);
    redraw(v, &w);
}

static void open_view(VIEW *v)
{
    GRECT d;
    /* Created as large as the desktop: that is the size the fuller gives. */
    get_rect(0, WF_WORKXYWH, &d);
    v->wh = wind_create(v->kind, d.g_x, d.g_y, d.g_w, d.g_h);
    if (v->wh < 0) {
        form_alert(1, "[3][No window is free.][ OK ]");
        v->wh = -1;
        return;
    }
    wind_set_str(v->wh, WF_NAME, v->name);
    /* Placed before it opens: the sliders' sizes depend on the work area. */
    wind_set(v->wh, WF_CURRXYWH, v->place.g_x, v->place.g_y, v->place.g_w, v->place.g_h);
    report(v);
    if (v == pic) {
        clamp_scroll(v);
        show_scroll(v);
    }
    wind_open(v->wh, v->place.g_x, v->place.g_y, v->place.g_w, v->place.g_h);
    menu_ienable(menu, v->menu_entry, 0);
    say("opened %d %s", v->wh, v->name);
}

static void close_view(VIEW *v)
{
    get_rect(v->wh, WF_CURRXYWH, &v->place);
    wind_close(v->wh);
    wind_delete(v->wh);
    v->wh = -1;
    menu_ienable(menu, v->menu_entry, 1);
}

/* The new outer rectangle asked for (moved, sized or fulled). A picture
 * whose work area grew past the scrolled part scrolls back, and is painted
 * again whole, since what showed has shifted. */
static void place_view(VIEW *v, const GRECT *r)
{
    wind_set(v->wh, WF_CURRXYWH, r->g_x, r->g_y, r->g_w, r->g_h);
    report(v);
    if (v == pic) {
        if (clamp_scroll(v))
            redraw_work(v);
        show_scroll(v);
    }
}

/* ---- scrolling ------------------------------------------------------------ */

/* The new offsets, kept inside the picture. */
static void scroll_to(VIEW *v, int sx, int sy)
{
    v->sx = sx;
    v->sy = sy;
    clamp_scroll(v);
}

/* The work area painted at the new offsets, the sliders moved. */
static void show_scrolled(const VIEW *v)
{
    redraw_work(v);
    show_scroll(v);
}

static void arrowed(VIEW *v, int action)
{
    GRECT w;
    int sx = v->sx, sy = v->sy;
    get_rect(v->wh, WF_WORKXYWH, &w);
    switch (action) {
    case WA_UPPAGE: sy -= w.g_h; break;
    case WA_DNPAGE: sy += w.g_h; break;
    case WA_UPLINE: sy -= LINE; break;
    case WA_DNLINE: sy += LINE; break;
    case WA_LFPAGE: sx -= w.g_w; break;
    case WA_RTPAGE: sx += w.g_w; break;
    case WA_LFLINE: sx -= LINE; break;
    case WA_RTLINE: sx += LINE; break;
    default: break;
    }
    scroll_to(v, sx, sy);
    say("arrowed %d %d -> scroll %d %d", v->wh, action, v->sx, v->sy);
    show_scrolled(v);
}

static void slid(VIEW *v, int vertical, int position)
{
    GRECT w;
    get_rect(v->wh, WF_WORKXYWH, &w);
    if (vertical)
        scroll_to(v, v->sx, (int)((long)position * scroll_room(PIC_H, w.g_h) / 1000));
    else
        scroll_to(v, (int)((long)position * scroll_room(PIC_W, w.g_w) / 1000), v->sy);
    say("%s %d %d -> scroll %d %d", vertical ? "vslid" : "hslid", v->wh, position, v->sx, v->sy);
    show_scrolled(v);
}

/* ---- the messages --------------------------------------------------------- */

/* Runs one menu choice; returns 0 when the program is to end. */
static int chosen(int title, int entry)
{
    int going = 1;
    switch (entry) {
    case M_ABOUT:
        say("chose about");
        form_alert(1, "[1][winview: a picture and notes|in two windows over a|"
                      "desktop tree.][ OK ]");
        say("about closed");
        break;
    case M_PICTURE:
        say("chose picture");
        if (pic->wh < 0)
            open_view(pic);
        break;
    case M_NOTES:
        say("chose notes");
        if (notes->wh < 0)
            open_view(notes);
        break;
    case M_QUIT:
        say("chose quit");
        going = 0;
        break;
    default: break;
    }
    menu_tnormal(menu, title, 1);
    return going;
}

/* Handles one message; returns 0 when the program is to end. */
static int message(const short *msg)
{
    VIEW *v = view_of(msg[3]);
    GRECT r;
    r.g_x = msg[4];
    r.g_y = msg[5];
    r.g_w = msg[6];
    r.g_h = msg[7];
    switch (msg[0]) {
    case MN_SELECTED: return chosen(msg[3], msg[4]);
    case AP_TERM: say("terminated"); return 0;
    default: break;
    }
    if (!v) {
        say("message %d for unknown window %d", msg[0], msg[3]);
        return 1;
    }
    switch (msg[0]) {
    case WM_REDRAW:
        say("redraw %d %d %d %d %d", v->wh, r.g_x, r.g_y, r.g_w, r.g_h);
        redraw(v, &r);
        break;
    case WM_TOPPED:
        wind_set(v->wh, WF_TOP, 0, 0, 0, 0);
        say("topped %d", v->wh);
        break;
    case WM_NEWTOP: say("newtop %d", v->wh); break;
    case WM_CLOSED:
        close_view(v);
        say("closed %d", msg[3]);
        break;
    case WM_FULLED: {
        GRECT curr, full, prev;
        get_rect(v->wh, WF_CURRXYWH, &curr);
        get_rect(v->wh, WF_FULLXYWH, &full);
        get_rect(v->wh, WF_PREVXYWH, &prev);
        say("fulled %d", v->wh);
        place_view(v, same_rect(&curr, &full) ? &prev : &full);
        break;
    }
    case WM_ARROWED: arrowed(v, msg[4]); break;
    case WM_HSLID: slid(v, 0, msg[4]); break;
    case WM_VSLID: slid(v, 1, msg[4]); break;
    case WM_SIZED:
        say("sized %d %d %d %d %d", v->wh, r.g_x, r.g_y, r.g_w, r.g_h);
        place_view(v, &r);
        break;
    case WM_MOVED:
        say("moved %d %d %d %d %d", v->wh, r.g_x, r.g_y, r.g_w, r.g_h);
        place_view(v, &r);
        break;
    default: say("message %d for window %d", msg[0], v->wh); break;
    }
    return 1;
}

/* winview.rsc lies beside the program. */
static int load_resource(void)
{
    char where[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", where, sizeof where - 16);
    char *slash;
    if (n <= 0)
        return 0;
    where[n] = '\0';
    slash = strrchr(where, '/');
    strcpy(slash ? slash + 1 : where, "winview.rsc");
    return rsrc_load(where);
}

int main(void)
{
    int running = 1, i;
    appl_init(1);
    if (!load_resource()) {
        fprintf(stderr, "winview: cannot load winview.rsc\n");
        appl_exit();
    }
    if (!make_picture()) {
        fprintf(stderr, "winview: no memory or palette room for the picture\n");
        appl_exit();
    }
    rsrc_gaddr(R_TREE, MENU, &menu);
    rsrc_gaddr(R_TREE, DESK, &desk);
    wind_set_tree(0, WF_NEWDESK, desk, 0);
    menu_bar(menu, 1);
    graf_mouse(ARROW, NULL);
    /* Notes first, so that the picture opens on top of it. */
    open_view(notes);
    open_view(pic);
    say("ready");
    while (running) {
        short msg[8] = {0}, mx, my, mb, ks, key, n;
        /* The left button is asked for too, though a press in a work area
         * does nothing here: the layer chooses a menu entry only with a
         * press the call listens to. */
        const int events = evnt_multi(MU_MESAG | MU_BUTTON, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                      msg, 0, 0, &mx, &my, &mb, &ks, &key, &n);
        if (events & MU_MESAG)
            running = message(msg);
    }
    for (i = 0; i < 2; i++)
        if (views[i].wh > 0)
            close_view(&views[i]);
    menu_bar(menu, 0);
    wind_set_tree(0, WF_NEWDESK, NULL, 0);
    rsrc_free();
    free(picture.fd_addr);
    say("bye");
    appl_exit();
    return 0;
}
END_OF_MAIN()
