/* memo: a GEM program written the classic way, built on the classic profile.
 *
 * It is what a program of the time looks like: the classic header names,
 * `int` values everywhere, appl_init() without an argument, a resource file
 * in the classic format (memo.rsc), a window redrawn through its rectangle
 * list, a dialog with radio buttons and editable fields, and the GEMDOS
 * file calls with drive letters and backslashes. It builds with nothing but
 *   cc memo.c $(pkg-config --cflags --libs gem-classic)
 *
 * It shows the lines of MEMO.TXT (in the current folder) in a window, and
 * the settings in a second window over it; the Options > Settings dialog
 * sets the writer's name, the number of lines shown and the size of the
 * frame round them; File > Save writes MEMO.OUT through Fcreate and Fwrite. Each thing it did is
 * told on standard output, one line each, for whoever drives it.
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <aesbind.h>
#include <gemdefs.h>
#include <obdefs.h>
#include <osbind.h>
#include <portab.h>
#include <vdibind.h>

/* The resource's indices, as a resource editor of the time wrote them. */
#define MENU     0 /* the menu tree */
#define T_DESK   3
#define T_FILE   4
#define T_OPTS   5
#define M_ABOUT  8
#define M_SAVE   10
#define M_QUIT   11
#define M_SETUP  13
#define SETTINGS 1 /* the dialog tree */
#define S_NAME   2
#define S_LINES  3
#define S_THIN   5
#define S_MEDIUM 6
#define S_THICK  7
#define S_OK     8
#define S_CANCEL 9
#define ALSAVED  0 /* free string: the alert after saving */

#define MAXLINES 16
#define LINELEN  64

int handle; /* the VDI workstation */
int gl_wchar, gl_hchar, gl_wbox, gl_hbox;
int work_in[11], work_out[57];
OBJECT *menu_tree, *dialog;
char lines[MAXLINES][LINELEN];
int nlines, shown = 3, frame = 1;
char writer[16] = "nobody";

static void say(const char *text)
{
    puts(text);
    fflush(stdout);
}

/* ---- the memo ------------------------------------------------------------- */

/* MEMO.TXT into lines[], through GEMDOS: the classic path finds the file. */
static void read_memo(void)
{
    char buf[MAXLINES * LINELEN];
    long got;
    int fd, i, at = 0;

    fd = (int)Fopen("MEMO.TXT", 0);
    if (fd < 0) {
        strcpy(lines[0], "(no MEMO.TXT here)");
        nlines = 1;
        return;
    }
    got = Fread(fd, (long)sizeof(buf) - 1, buf);
    Fclose(fd);
    if (got < 0)
        got = 0;
    buf[got] = 0;
    nlines = 0;
    for (i = 0; i <= got && nlines < MAXLINES; i++) {
        if (buf[i] == '\n' || buf[i] == '\r' || buf[i] == 0) {
            int n = i - at < LINELEN - 1 ? i - at : LINELEN - 1;
            if (n > 0 || buf[i] == '\n') {
                memcpy(lines[nlines], buf + at, (size_t)n);
                lines[nlines++][n] = 0;
            }
            at = i + 1;
        }
    }
}

/* MEMO.OUT: the writer, then the lines shown. */
static long save_memo(void)
{
    char text[80];
    long total = 0;
    int fd, i;

    fd = (int)Fcreate("MEMO.OUT", 0);
    if (fd < 0)
        return fd;
    sprintf(text, "by %s\r\n", writer);
    total += Fwrite(fd, (long)strlen(text), text);
    for (i = 0; i < shown && i < nlines; i++) {
        total += Fwrite(fd, (long)strlen(lines[i]), lines[i]);
        total += Fwrite(fd, 2L, "\r\n");
    }
    Fclose(fd);
    return total;
}

/* ---- the windows ---------------------------------------------------------- */

/* The memo's lines in a frame, and an information window that overlaps it:
 * a redraw of the one below goes through a rectangle list of several parts. */
int memo_win, info_win;

static void text_line(int x, int y, const char *text) { v_gtext(handle, x, y, text); }

/* The work area's contents, clipped to one rectangle of the list. */
static void draw_part(int wh, int x, int y, int w, int h)
{
    int pxy[10], wx, wy, ww, hh, i;
    char text[40];

    wind_get(wh, WF_WORKXYWH, &wx, &wy, &ww, &hh);
    pxy[0] = x;
    pxy[1] = y;
    pxy[2] = x + w - 1;
    pxy[3] = y + h - 1;
    vs_clip(handle, 1, pxy);
    vswr_mode(handle, MD_REPLACE);
    vsf_interior(handle, FIS_SOLID);
    vsf_color(handle, WHITE);
    v_bar(handle, pxy);
    vst_color(handle, BLACK);
    if (wh == info_win) {
        sprintf(text, "writer: %s", writer);
        text_line(wx + 8, wy + 12, text);
        sprintf(text, "lines shown: %d", shown);
        text_line(wx + 8, wy + 24, text);
        sprintf(text, "frame: %d", frame);
        text_line(wx + 8, wy + 36, text);
    } else {
        for (i = 0; i < shown && i < nlines; i++)
            text_line(wx + 8, wy + 8 + gl_hbox * (i + 1), lines[i]);
        /* A frame round the text, as thick as the settings say: v_pline
         * keeps to the clip, so it never draws over the other window. */
        vsl_color(handle, BLACK);
        vsl_width(handle, frame == 3 ? 3 : 1);
        pxy[0] = pxy[6] = pxy[8] = wx + 4;
        pxy[1] = pxy[3] = pxy[9] = wy + 4;
        pxy[2] = pxy[4] = wx + ww - 5;
        pxy[5] = pxy[7] = wy + hh - 5;
        v_pline(handle, 5, pxy);
    }
    vs_clip(handle, 0, pxy);
}

/* A redraw request: every rectangle of the list that meets it. */
static void redraw(int wh, int x, int y, int w, int h)
{
    int rx, ry, rw, rh, n = 0;
    char text[80];

    wind_update(BEG_UPDATE);
    graf_mouse(M_OFF, NULL);
    wind_get(wh, WF_FIRSTXYWH, &rx, &ry, &rw, &rh);
    while (rw && rh) {
        int x1 = rx > x ? rx : x, y1 = ry > y ? ry : y;
        int x2 = rx + rw < x + w ? rx + rw : x + w, y2 = ry + rh < y + h ? ry + rh : y + h;
        if (x2 > x1 && y2 > y1) {
            draw_part(wh, x1, y1, x2 - x1, y2 - y1);
            n++;
        }
        wind_get(wh, WF_NEXTXYWH, &rx, &ry, &rw, &rh);
    }
    graf_mouse(M_ON, NULL);
    wind_update(END_UPDATE);
    sprintf(text, "redraw %d %d %d %d %d parts %d", wh, x, y, w, h, n);
    say(text);
}

static void redraw_all(int wh)
{
    int x, y, w, h;

    wind_get(wh, WF_WORKXYWH, &x, &y, &w, &h);
    redraw(wh, x, y, w, h);
}

static void tell_window(int wh)
{
    int x, y, w, h;
    char text[80];

    wind_get(wh, WF_WORKXYWH, &x, &y, &w, &h);
    sprintf(text, "work %d %d %d %d %d", wh, x, y, w, h);
    say(text);
}

/* A window of the given kind whose work area is (x, y, w, h); the name is
 * handed over as a classic program did, split into two halves. */
static int open_window(const char *name, int x, int y, int w, int h)
{
    int kind = NAME | CLOSER | MOVER, wh, bx, by, bw, bh;

    wh = wind_create(kind, 0, 0, work_out[0] + 1, work_out[1] + 1);
    if (wh < 0)
        return wh;
    wind_set(wh, WF_NAME, (long)name >> 16, (long)name & 0xFFFF, 0, 0);
    wind_calc(WC_BORDER, kind, x, y, w, h, &bx, &by, &bw, &bh);
    wind_open(wh, bx, by, bw, bh);
    tell_window(wh);
    return wh;
}

/* ---- the dialog ----------------------------------------------------------- */

static void settings(void)
{
    int x, y, w, h, exit_obj;
    TEDINFO *name, *count;
    char text[80];

    name = (TEDINFO *)dialog[S_NAME].ob_spec;
    count = (TEDINFO *)dialog[S_LINES].ob_spec;
    strcpy(name->te_ptext, writer);
    sprintf(count->te_ptext, "%d", shown);
    dialog[S_THIN].ob_state = frame == 1 ? SELECTED : NORMAL;
    dialog[S_MEDIUM].ob_state = frame == 2 ? SELECTED : NORMAL;
    dialog[S_THICK].ob_state = frame == 3 ? SELECTED : NORMAL;

    form_center(dialog, &x, &y, &w, &h);
    form_dial(FMD_START, 0, 0, 0, 0, x, y, w, h);
    objc_draw(dialog, ROOT, MAX_DEPTH, x, y, w, h);
    say("dialog");
    exit_obj = form_do(dialog, S_NAME) & 0x7FFF;
    form_dial(FMD_FINISH, 0, 0, 0, 0, x, y, w, h);
    dialog[exit_obj].ob_state &= ~SELECTED;

    if (exit_obj == S_OK) {
        strncpy(writer, name->te_ptext, sizeof(writer) - 1);
        shown = atoi(count->te_ptext);
        if (shown < 1)
            shown = 1;
        if (shown > MAXLINES)
            shown = MAXLINES;
        frame = dialog[S_THICK].ob_state & SELECTED    ? 3
                : dialog[S_MEDIUM].ob_state & SELECTED ? 2
                                                       : 1;
        sprintf(text, "settings %s %d %d", writer, shown, frame);
        say(text);
        redraw_all(memo_win);
        redraw_all(info_win);
    } else {
        say("cancelled");
    }
}

/* ---- the menu ------------------------------------------------------------- */

/* 1 when the program should end. */
static int chosen(int title, int entry)
{
    char text[160], path[128];
    char *alert;
    long bytes;

    menu_tnormal(menu_tree, title, 1);
    switch (entry) {
    case M_ABOUT:
        form_alert(1, "[1][memo: a classic GEM program|on the classic profile][ OK ]");
        say("about");
        break;
    case M_SETUP: settings(); break;
    case M_SAVE:
        bytes = save_memo();
        Dgetpath(path, 0);
        sprintf(text, "saved %c:%s\\MEMO.OUT %ld", 'A' + (int)Dgetdrv(), path, bytes);
        say(text);
        rsrc_gaddr(R_STRING, ALSAVED, &alert);
        form_alert(1, alert);
        break;
    case M_QUIT: return 1;
    }
    return 0;
}

/* ---- start and the event loop --------------------------------------------- */

int main(void)
{
    int msgbuf[8], i, done = 0;
    char text[80];

    appl_init();
    handle = graf_handle(&gl_wchar, &gl_hchar, &gl_wbox, &gl_hbox);
    for (i = 0; i < 10; i++)
        work_in[i] = 1;
    work_in[10] = 2;
    v_opnvwk(work_in, &handle, work_out);
    if (!handle) {
        appl_exit();
        return 1;
    }
    if (!rsrc_load("MEMO.RSC")) {
        form_alert(1, "[3][memo: MEMO.RSC is missing|or damaged.][ Quit ]");
        v_clsvwk(handle);
        appl_exit();
        return 1;
    }
    rsrc_gaddr(R_TREE, MENU, &menu_tree);
    rsrc_gaddr(R_TREE, SETTINGS, &dialog);
    read_memo();

    graf_mouse(ARROW, NULL);
    menu_bar(menu_tree, 1);
    memo_win = open_window(" Memo ", 40, 60, 400, 200);
    info_win = open_window(" Info ", 320, 220, 200, 60);
    if (memo_win < 0 || info_win < 0) {
        form_alert(1, "[3][memo: no window is free.][ Quit ]");
        done = 1;
    }
    say("ready");

    while (!done) {
        evnt_mesag(msgbuf);
        switch (msgbuf[0]) {
        case WM_REDRAW: redraw(msgbuf[3], msgbuf[4], msgbuf[5], msgbuf[6], msgbuf[7]); break;
        case WM_TOPPED:
            wind_set(msgbuf[3], WF_TOP, 0, 0, 0, 0);
            sprintf(text, "topped %d", msgbuf[3]);
            say(text);
            break;
        case WM_MOVED:
            wind_set(msgbuf[3], WF_CURRXYWH, msgbuf[4], msgbuf[5], msgbuf[6], msgbuf[7]);
            sprintf(text, "moved %d %d %d", msgbuf[3], msgbuf[4], msgbuf[5]);
            say(text);
            tell_window(msgbuf[3]);
            break;
        case WM_CLOSED: done = 1; break;
        case MN_SELECTED: done = chosen(msgbuf[3], msgbuf[4]); break;
        }
    }
    wind_close(info_win);
    wind_delete(info_win);
    wind_close(memo_win);
    wind_delete(memo_win);
    menu_bar(menu_tree, 0);
    rsrc_free();
    v_clsvwk(handle);
    say("bye");
    appl_exit();
    return 0;
}
