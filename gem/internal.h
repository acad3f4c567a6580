/*
 * internal.h - the layer's module state and internal routines, for the
 * layer's own files, its tests and its tools. Applications use gem.h only.
 *
 * Sections follow the subsystems: runtime (start-up, screen, palette,
 * cursor), input, VDI, resources, forms, file selector. Each global is
 * defined in the file that owns it (see the comment at each section).
 */
#ifndef GEM_INTERNAL_H
#define GEM_INTERNAL_H

#include <allegro.h>
#include <limits.h>
#include <stdint.h>

#include "gem.h"

#ifdef __cplusplus
extern "C" {
#endif

/* ---------------------------------------------------------------------------
 * Platform seam (gem/runtime/platform.cpp)
 *
 * Everything the layer asks of the machine beyond plain bitmap drawing goes
 * through `_gemio`: starting the library's services, opening the visible
 * screen, reading keys and the pointer, showing the cursor and the screen,
 * and giving the processor up between polls. The default is the real
 * Allegro path (`_allegro_io`); on a display larger than the mode, opening
 * the screen switches to `_window_io`, which shows the screen scaled in a
 * window (gem/runtime/scaled.cpp). `_memory_io` runs the layer with no
 * display: the visible screen is a memory bitmap, there are no keys, and
 * time stands still unless someone advances `_timer`. Headless tests and
 * batch conversion install it (or a scripted copy of it) before appl_init.
 * ------------------------------------------------------------------------- */

typedef struct gem_io {
    void (*start)(void);               /* library, keyboard, mouse, timer, 1 ms tick */
    void (*set_mode)(int w, int h);    /* open a w x h 8-bit visible screen */
    int (*keypressed)(void);           /* a key is waiting */
    int (*readkey)(void);              /* scancode << 8 | character */
    void (*idle)(void);                /* between two polls of a waiting loop */
    void (*mouse)(short *x, short *y); /* the pointer, in screen pixels */
    void (*warp)(int x, int y);        /* put the pointer on a screen pixel */
    void (*cursor)(int shown);         /* draw the cursor (_mousebmp) or take it away */
    void (*present)(void);             /* after each poll: show what was drawn */
    void (*stop)(void);                /* close the screen and the library */
} GEM_IO;

extern GEM_IO _allegro_io;
extern GEM_IO _window_io;
extern GEM_IO _memory_io;
extern GEM_IO *_gemio;

/* Give the processor up until the next poll is due. Every loop that polls
 * input calls this once per pass. */
void _idle(void);

/* A loop that must end at tick `tick` (a timer wait) names it before it
 * starts, so that _idle() never sleeps past that tick. */
void _idle_deadline(int32_t tick);

/* ---------------------------------------------------------------------------
 * Start-up and shutdown (gem/runtime/appl.cpp)
 * ------------------------------------------------------------------------- */

extern volatile int32_t _timer; /* 1 ms ticks since appl_init */
extern int _zehandle;           /* physical workstation handle: 0 */
extern BITMAP *_mousebmp;       /* 16 x 16 cursor sprite */
extern OBJECT *_fselbox, *_alertbox, *_inputbox;

int _timeit(void);

/* What appl_exit does before the process ends: the cursor sprite freed and
 * the platform stopped. Nothing when the layer is not up. */
void _appl_shutdown(void);

/* ---------------------------------------------------------------------------
 * Screen modes and buffers (gem/runtime/screen.cpp)
 * ------------------------------------------------------------------------- */

extern short _scrres;         /* resolution code as given */
extern short _scrwid, _scrht; /* size of both surfaces */
extern BITMAP *_logbmp;       /* the logical screen */
extern MFDB _screen;          /* null address: the visible screen */
extern int _oldhand;          /* handle saved while the logical screen is selected */

/* The bitmap that `handle` selects: the visible screen or _logbmp. */
BITMAP *_surface(int handle);

/* ---------------------------------------------------------------------------
 * Palette (gem/runtime/palette.cpp)
 * ------------------------------------------------------------------------- */

extern RGB _palette[256];         /* 6-bit values, Allegro's layout */
extern unsigned char _defpal[48]; /* 16 colours, 8-bit triples */
extern int _colors;               /* entries in use */
extern int _origcolors;           /* what Resetpalette(256) restores */

/* ---------------------------------------------------------------------------
 * Mouse cursor (gem/runtime/cursor.cpp, shapes in gem/data/mice.cpp)
 * ------------------------------------------------------------------------- */

typedef struct mouse_cursor {
    unsigned char *shape; /* the 256 pixels of _mousebmp */
    short hotx, hoty;
} _MOUSE;

extern _MOUSE _mouse;
extern const MSHAPE _mice[8];
extern short _mshape;     /* built-in shape last chosen */
extern short _mtot;       /* outstanding hide requests */
extern short _mousedrawn; /* 1 while the library draws the cursor */

void _setmouse(const MSHAPE *form);
void _hidemouse(void);
void _showmouse(void);

/* ---------------------------------------------------------------------------
 * The scaled window (gem/runtime/scaled.cpp)
 *
 * On a display larger than the mode the visible screen is shown k times
 * larger. `screen` is then a memory bitmap of the mode's size that the layer
 * and the application draw on as always; after each poll the parts that
 * changed since the last one are copied to the window as k x k squares and
 * the cursor is drawn over them there, never in `screen`.
 * ------------------------------------------------------------------------- */

/* The factor for a w x h mode on a dw x dh display: the largest k from 1
 * to 8 whose window fits in 90 % of the display (at least 1), or 0 when the
 * display is no larger than the mode and the screen is shown as it is. */
int _view_scale(int dw, int dh, int w, int h);

/* Takes `screen` (k times the mode's size) as the window and puts a memory
 * bitmap of the mode's size in its place. Returns 0, with `screen` left as
 * it was, when there is no memory for the view. */
int _view_open(int k);

/* Puts the window back in `screen`; nothing when no view is open. */
void _view_close(void);

void _view_mouse(short *x, short *y); /* mouse_x, mouse_y divided by k (as they are with no view) */
void _view_warp(int x, int y);        /* the pointer to the middle of a pixel */
void _view_cursor(int shown);
void _view_present(void);

/* Screen pixels copied to the window since the view opened. */
extern long _view_copied;

/* ---------------------------------------------------------------------------
 * Input polling (gem/input)
 * ------------------------------------------------------------------------- */

typedef struct mevent {
    int32_t time;  /* _timer at the end of the last poll */
    short kinds;   /* what the last poll found (0x01 moved, 0x02/0x04 left
                      down/up, 0x08/0x10 right down/up, 0x80 key) */
    short x, y;    /* mouse position */
    short buttons; /* bit 0 left, bit 1 right */
    short key;     /* layer key code, 0 if none */
    short kbstat;  /* modifiers */
} _MEVENT;

extern _MEVENT _mevent;

void _mouse_event(void);

/* Milliseconds within which a second press still belongs to the same click,
 * as evnt_dclick set the speed (gem/input/dclick.cpp). */
int _dclick_ms(void);

/* Allegro's mouse callback: latches button transitions (MOUSE_FLAG_*) for
 * the next poll, so that a click that begins and ends between two polls is
 * still reported. Lock-free; runs on the library's input thread. */
void _latch_buttons(int flags);

/* ---------------------------------------------------------------------------
 * VDI attributes and primitives (gem/vdi)
 * ------------------------------------------------------------------------- */

extern short _linecol, _fillcol, _textcol, _texteff;
extern short _clipx1, _clipy1, _clipx2, _clipy2;
extern void (*_trout)(void);

/* The attributes beyond the colours and effects (gem/vdi/attributes.cpp).
 * `_vdi_plain` holds the defaults, under which v_bar, v_pline and v_gtext
 * draw as the layer's own dialogs, menus and frames expect: the layer's
 * drawing code switches to them (_vdi_enter_plain) and back. Opening a
 * screen mode resets `_vdi` to them. */
typedef struct vdi_attributes {
    short mode;               /* MD_* */
    short interior, style;    /* FIS_*, and the pattern or hatch number from 1 */
    short perimeter;          /* 1: filled shapes get an outline in the fill colour */
    unsigned short udpat[16]; /* FIS_USER, bit 15 the left column */
    short line_type, line_width;
    short line_begin, line_end; /* SQUARE, ARROWED, ROUND */
    unsigned short line_udsty;  /* USERLINE, bit 15 first */
    short marker_type, marker_height, marker_color;
    short text_h, text_v; /* TA_* */
    short text_angle;     /* 0, 900, 1800 or 2700 */
} VDI_ATTRIBUTES;

extern VDI_ATTRIBUTES _vdi;
extern const VDI_ATTRIBUTES _vdi_plain;

/* Saves the attributes in *saved and installs the plain ones; and back. */
void _vdi_enter_plain(VDI_ATTRIBUTES *saved);
void _vdi_leave_plain(const VDI_ATTRIBUTES *saved);

/* The fill patterns of FIS_PATTERN (styles 1 to 24) and FIS_HATCH (1 to
 * 12), 16 x 16 each: word k is row k, bit 15 the left column. They tile the
 * surface from its origin (gem/data/patterns.cpp). */
extern const unsigned short _fill_patterns[24][16];
extern const unsigned short _fill_hatches[12][16];

#define GEM_MAX_LINE_WIDTH    39 /* widest line, pixels (odd) */
#define GEM_MAX_MARKER_HEIGHT 99

/* The XOR outline of the rubber-band and drag boxes (gem/vdi/xorbox.cpp). */
void _xor_box(short x1, short y1, short x2, short y2);
void _xor_pixel(BITMAP *bmp, int x, int y, int unused);

/* ---------------------------------------------------------------------------
 * Saved screen areas (gem/vdi/rastercopy.cpp): the blocks under dialogs,
 * the menu bar and menu boxes, and the copies in and out of them.
 * ------------------------------------------------------------------------- */

/* Where the blocks come from: malloc, unless a test stands in a failing
 * one. */
extern void *(*_area_alloc)(size_t size);

/* A mode-3 raster copy between the screen and a saved area's memory form,
 * with the clip rectangle opened to the whole surface for it and put back
 * after. Nothing is copied when neither side is a memory form. */
void _area_copy(const short *pxy, const MFDB *src, const MFDB *dst);

/* ---------------------------------------------------------------------------
 * Fonts (gem/vdi, images in gem/data)
 * ------------------------------------------------------------------------- */

extern GFONT *_sysfonts[8];
extern short _no_of_fonts;
extern GFONT *_font;
extern short _fontno;

/* The built-in font images (8x8, 8x16, 6x6): header, offset table and font
 * form, 2650, 4698 and 1754 bytes, aligned for the header's fields. */
extern unsigned char _font0[2650], _font1[4698], _font2[1754];

void _fontfix(int number);
void _undumb(short *value);

/* ---------------------------------------------------------------------------
 * Resources and object trees (gem/resource)
 * ------------------------------------------------------------------------- */

extern RSHDR _rshdr;
extern unsigned char *_resource; /* data block of the installed image */
extern short _rsrcin;            /* 1: included image, 0: loaded from a file */
extern TEDINFO *_teds;
extern OBJECT *_dials;
extern OBJECT **_trees;

/* The built-in resource image (stored form). */
extern unsigned char _guirsh[2556];

int _rsrc_fix(void);

/* Uninstalls the installed resource whatever its origin: frees the records
 * built for it (and a file's data block) and clears the globals; trees taken
 * from it are gone. The built-in resource stays. For tools that install many
 * images in one run; applications use rsrc_free. */
int _rsrc_release(void);

int _relocate(OBJECT *tree, short index, short target, short *x, short *y);
void _narrow(OBJECT *tree, short *idx, short x, short y);

/* A position or size in character cells (characters in the low byte, pixels
 * in the high byte, both unsigned) as pixels for a cell of `cell` pixels
 * (gem/resource/obfix.cpp). */
short _cells_to_pixels(short value, int cell);

/* The whole state of an object as an OS_* word, and setting it: OS_SELECTED,
 * OS_CHECKED and OS_DISABLED are the OF_* bits, the rest ob_xstate
 * (gem/resource/state.cpp). */
int _ob_state(const OBJECT *ob);
void _ob_set_state(OBJECT *ob, int state);

/* The value an object's ob_spec stands for: ob_spec itself, or the long it points at under
 * OX_INDIRECT (0 for a null pointer). */
long _ob_spec(const OBJECT *ob);

extern short _cursepx[4];
extern short _curpos;

void _objc_draw(OBJECT *tree, short index, short depth, short x, short y);

/* objc_draw of `start` and its subtree down to `depth`, limited to the
 * rectangle `clip` (null: not limited) within any clip the surface already
 * has (gem/resource/change.cpp). The tree is not moved. */
int _objc_draw_clip(OBJECT *tree, int start, int depth, const GRECT *clip);

/* Levels deep enough for any tree the guards let through. */
#define GEM_MAX_DEPTH 100
void _OLtext(short x, short y, short w, short h, short flags, const char *text);
void _obcurse(short on);

/* ---------------------------------------------------------------------------
 * Menus and message events (gem/menu)
 *
 * The menu bar (bar.cpp) and the event multiplexer that tracks it
 * (multi.cpp). A menu tree's root holds in its ob_height the height of the
 * area boxes drop into; object 1 is the bar, object 2 the title area whose
 * children are the titles; the root's last child holds the boxes, the n-th
 * box belonging to the n-th title.
 * ------------------------------------------------------------------------- */

extern OBJECT *_menu;    /* the current menu tree, null with no bar */
extern short _menupx[8]; /* (0, 0)-(screen width - 1, 10) twice */
extern MFDB _menufdb;    /* the strip saved under the bar, or null */
extern short _boxstart;  /* first menu box (head of the root's last child) */
extern MFDB _boxfdb;     /* screen under an open box; lives for one call */
extern short _boxpx[8];  /* the open box with a 1-pixel margin, twice */

/* Closes the open box: the screen under it put back, the title drawn normal,
 * the highlighted entry's OF_SELECTED cleared; all three places become 0. */
void _restore_box(short *title, short *box, short *item);

/* The rows of the bar's strip at the top of the screen; the desktop is
 * below them. */
#define GEM_MENU_ROWS 11

/* ---------------------------------------------------------------------------
 * The message queue (gem/menu/messages.cpp)
 *
 * What evnt_multi and evnt_mesag hand over, first in, first out: menu
 * choices and window messages, eight words each. It holds GEM_MESSAGES
 * messages besides redraws, and a WM_REDRAW per window beside them: a
 * redraw for a window with one queued enlarges that one.
 * ------------------------------------------------------------------------- */

#define GEM_MESSAGES   64
#define GEM_QUEUE_SIZE (GEM_MESSAGES + GEM_MAX_WINDOWS) /* messages queued at most */

/* Queues a message; only the words whose bit is set in `written` (bit k:
 * word k) are written when it is handed over. 0 when the queue is full. */
int _msg_post(const short *msg, unsigned written);

/* Hands the first message over into msg; 0 when there is none. A close
 * request of the display becomes AP_TERM here, at the end of the queue. */
int _msg_take(short *msg);

/* Queues `count` messages of eight words each, all of them or, when they
 * do not all fit, none: 0 then, and the queue is as it was. */
int _msg_post_all(const short *msgs, int count);

/* The messages ready to be handed over, a close request of the display
 * counted as the AP_TERM it becomes. */
int _msg_waiting(void);

/* Waits as evnt_mesag does (menus drop, presses go to the window manager)
 * until `count` messages are ready; nothing is taken (gem/menu/multi.cpp). */
void _msg_wait(int count);

/* Removes the window messages (WM_REDRAW to WM_NEWTOP) queued for a window:
 * all of them, or its redraw only. */
void _msg_forget(short whandle, int redraws_only);

/* A window whose work area moved by (dx, dy): its queued redraw moves
 * with it, as the pixels still to be painted did. */
void _msg_move_redraw(short whandle, short dx, short dy);

int _msg_count(void);
void _msg_clear(void);

/* The display's close button: safe to call from any thread. */
void _ap_term_request(void);

/* ---------------------------------------------------------------------------
 * Application names (gem/runtime/applinfo.cpp)
 * ------------------------------------------------------------------------- */

/* Adds a name appl_find gives 0 for (its first eight characters, padded
 * with spaces): returns its slot, 0 to 5, or -1 when the name is empty or
 * all six slots are taken. */
int _appl_add_name(const char *name);

/* Forgets every added name: for tests that start over. */
void _appl_forget_names(void);

/* ---------------------------------------------------------------------------
 * The clipboard folder (gem/shell/clipboard.cpp)
 * ------------------------------------------------------------------------- */

/* Forgets the folder scrp_write named: back to the default, for tests that
 * start over. */
void _scrp_forget(void);

/* ---------------------------------------------------------------------------
 * Windows (gem/window)
 *
 * The window table, frames, redraws and the user's actions. The calls of
 * gem.h do the work; the event multiplexer hands the window manager the
 * presses and polls of its message waits.
 * ------------------------------------------------------------------------- */

/* wind_update's holds: BEG_UPDATE and BEG_MCTRL, counted. Under either, no
 * menu drops; under BEG_UPDATE a press on a widget is dropped, under
 * BEG_MCTRL every press is the program's. */
extern short _wupdate, _wmctrl;

/* A press at (x, y) during a message wait (`left`: the left button): 1 when
 * it was on a window's frame or on a window not on top, which makes it the
 * window manager's and not a button event. It may track the mouse until
 * the button goes up, and queues the message the action asks for. */
int _wind_press(short x, short y, int left);

/* Every poll of a message wait: an arrow or track held down repeats. */
void _wind_repeat(void);
void _wind_release(void);

/* Every window gone, nothing drawn, no hold, the plain desktop: for
 * tests that start over. */
void _wind_reset(void);

/* The symbols of the widgets, 9 rows of 9 pixels ('#' ink). */
enum {
    WIDGET_CLOSER,
    WIDGET_FULLER,
    WIDGET_SIZER,
    WIDGET_UP,
    WIDGET_DOWN,
    WIDGET_LEFT,
    WIDGET_RIGHT,
    WIDGET_GLYPHS
};
extern const char *const _widget_glyphs[WIDGET_GLYPHS][9];

/* ---------------------------------------------------------------------------
 * Forms and dialogs (gem/form)
 * ------------------------------------------------------------------------- */

#define GEM_MAX_SAVES 32 /* dialogs open at once */

/* The saved-area stack (dial.cpp): the screen under each open dialog,
 * innermost at _rno (-1 when none is open), margin included. */
extern int _rno;
extern void *_rmallocs[GEM_MAX_SAVES];
extern GRECT _rxywh[GEM_MAX_SAVES];

/* Makes `obj` the field that holds the cursor (formdo.cpp): sets its
 * OF_SELECTED, puts the cursor after its text and stores in *maxlen the most
 * characters the field takes (at most 255). Returns the field's text. */
char *_tpos(OBJECT *obj, short *maxlen);

/* ---------------------------------------------------------------------------
 * File selector (gem/fsel)
 *
 * scan.cpp reads the directory `_path` into the table, sorts it directories
 * first and picks out the entries that match the mask `_selfile`; list.cpp
 * fills the selector's 32 slots and keeps the row of recent extensions;
 * fsel.cpp runs the dialog. The table, the matches and the extension row
 * persist between calls.
 * ------------------------------------------------------------------------- */

#define FSEL_FILES      400 /* entries the table holds */
#define FSEL_PATH_CHARS 255 /* characters the path field holds */
#define FSEL_NAME_CHARS 127 /* characters the file name field holds */

typedef struct fsel_file {
    char name[64];     /* up to the last '.', cut to 63 */
    char extension[8]; /* after the last '.', cut to 7; "" without */
    short isdir;       /* 1 for a directory */
    char whole[256];   /* the whole name, which slots may show cut */
} FSEL_FILE;

extern FSEL_FILE _files[FSEL_FILES];
extern short _numfiles, _numdirs;
extern short _matches[FSEL_FILES];
extern short _nummatches;
extern short _currfile;    /* match shown in the first slot */
extern char _selfile[128]; /* the mask, or the file picked last */
extern char *_path;        /* the caller's path buffer: the directory shown */
extern char *_clicked;     /* the caller's file name buffer */
extern short _fsx, _fsy, _fsw, _fsh;

/* The process's working directory when the selector opened: where
 * _get_path goes when neither the path nor "/" can be entered. */
extern char _fsel_home[PATH_MAX];

void _get_path(int redraw);
void _norm_path(void);
void find_matches(void);
int dirsort(const void *a, const void *b);
int filesort(const void *a, const void *b);
void _amess(int n, OBJECT *slot);
void f_list(int redraw);
int sort_extns(void);
void refresh_extns(void);

/* Cuts `path` back to its parent directory (/a/b/ to /a/); returns 0 when it
 * cannot get any shorter. */
int _cut_path(char *path);

#ifdef __cplusplus
}
#endif

#endif /* GEM_INTERNAL_H */
