/*
 * gem.h - the GEM desktop calls (AES and VDI) and the TOS screen and palette
 * calls, on one 8-bit, 256-colour Allegro 4 screen.
 *
 * This one header lists everything an application uses: the shared types,
 * the constants, and every call, grouped by subsystem in building order.
 * It compiles as C99 and as C++.
 *
 *   - 16-bit values are `short`, 32-bit values `int32_t`.
 *   - Rectangles are inclusive corner pairs (VDI) or position and size
 *     (GRECT, objects).
 *   - The application defines the workstation handle: `int handle = 0;`.
 *     0 to 3 draw on the visible screen, 4 and above on the logical screen.
 *
 * Colours: entries 0 to 15 are the interface colours; pictures use 16 and up.
 * Colour 0 is transparent in masked copies and in the mouse cursor.
 */
#ifndef GEM_GEM_H
#define GEM_GEM_H

#include <stdint.h>

#include "gem/version.h" /* GEM_VERSION_MAJOR, _MINOR, _PATCH and _STRING */

#ifdef __cplusplus
extern "C" {
#endif

/* ---------------------------------------------------------------------------
 * Shared types
 * ------------------------------------------------------------------------- */

typedef struct grect {
    short g_x, g_y, g_w, g_h;
} GRECT;

/* A memory form: 8-bit pixels, one byte each, rows one after another with a
 * row length of fd_w bytes. A null fd_addr stands for the drawing surface that
 * `handle` selects. The fields after fd_h are left 0: only the raster form
 * calls (vrt_cpyfm, vr_trnfm) read fd_wdwidth, fd_stand and fd_nplanes. */
typedef struct fdbstr {
    void *fd_addr;
    short fd_w;
    short fd_h;
    short fd_wdwidth;
    short fd_stand;
    short fd_nplanes;
    short fd_r1, fd_r2, fd_r3;
} MFDB, FDB;

/* One node of an object tree, as installed in memory. Stored resource images
 * keep the 24-byte layout with a 32-bit ob_spec; installing widens ob_spec so
 * that it can hold an address. For types 27 and below it holds inline data
 * in its low 32 bits (an OT_BOXCHAR's character is its lowest byte), except
 * for the record types OT_TEXT to OT_BUTTON, OT_FBOXTEXT and OT_ICON.
 *
 * The fields after ob_height extend the one-byte model: more flags and
 * states in the classic bit positions (OX_*, OS_*), the program's own type
 * byte, a frame thickness, text placement and fill pattern. A tree that
 * leaves them 0 behaves exactly as the eight types and eight flags always
 * have. */
typedef struct object {
    short ob_next;            /* next sibling; the last child holds its parent */
    short ob_head;            /* first child, -1 if none */
    short ob_tail;            /* last child, -1 if none */
    unsigned char ob_type;    /* OT_* */
    unsigned char ob_flags;   /* OF_*: behaviour and state in one byte */
    unsigned char ob_colbyte; /* low 4 bits text colour, high 4 bits frame colour */
    unsigned char ob_font;    /* font number for vst_font */
    unsigned char ob_border;  /* 1: frame on the edge; else one pixel outside */
    unsigned char ob_fill;    /* fill colour */
    long ob_spec;             /* string, record address or inline value */
    short ob_x, ob_y;         /* relative to the parent (root: absolute) */
    short ob_width, ob_height;
    unsigned short ob_xflags; /* OX_*: flags beyond OF_*; other bits kept */
    unsigned short ob_xstate; /* OS_*: states beyond OF_*; other bits kept */
    unsigned char ob_xtype;   /* the program's own type byte: kept, never read */
    signed char ob_thick;     /* 0: frame as OF_FRAMED and ob_border say; else
                                 that many pixels, inward (> 0) or outward (< 0) */
    unsigned char ob_just;    /* TE_*: where OT_TEXT, OT_BOXTEXT, OT_FBOXTEXT put text */
    unsigned char ob_look;    /* OL_*: fill pattern and text mode */
} OBJECT;

/* Formatted text record, as installed in memory. */
typedef struct text_edinfo {
    char *te_ptext;   /* the text, edited in place */
    char *te_ptmplt;  /* literals and '_' placeholders */
    short te_pvalid;  /* '9' digits, 'A' hex digits, anything else: any */
    short te_ptxtlen; /* OT_SCROLLTEXT: size of the text buffer */
} TEDINFO;

/* A one-plane bit image (OT_IMAGE): bi_hl rows of bi_wb bytes (even), 16-bit
 * words, bit 15 the left column; the set bits drawn in bi_color. */
typedef struct bit_block {
    short *bi_pdata;
    short bi_wb, bi_hl;
    short bi_x, bi_y; /* where in the image the drawn part starts */
    short bi_color;
} BITBLK;

/* An icon (OT_ICON): mask and data planes of ib_wicon x ib_hicon pixels
 * (rows of (ib_wicon + 15) / 16 words), a caption and a letter. ib_char's low
 * byte is the letter, bits 12 to 15 the data colour, bits 8 to 11 the mask
 * colour. Positions are relative to the object. */
typedef struct icon_block {
    short *ib_pmask;
    short *ib_pdata;
    char *ib_ptext;
    short ib_char;
    short ib_xchar, ib_ychar;
    short ib_xicon, ib_yicon, ib_wicon, ib_hicon;
    short ib_xtext, ib_ytext, ib_wtext, ib_htext;
} ICONBLK;

/* What a user-drawn object's routine (OT_USERDEF) is called with. The states
 * are OS_* words; the rectangle is the object's, the clip the part to draw.
 * The routine returns the states the layer should still draw over it (0:
 * none). */
typedef struct parm_blk {
    struct object *pb_tree;
    short pb_obj;
    short pb_prevstate;
    short pb_currstate;
    short pb_x, pb_y, pb_w, pb_h;
    short pb_xc, pb_yc, pb_wc, pb_hc;
    long pb_parm;
} PARMBLK;

typedef struct user_blk {
    int (*ub_code)(PARMBLK *parmblock); /* null: nothing is drawn */
    long ub_parm;
} USERBLK;

/* One recorded input event (appl_trecord, appl_tplay). */
typedef struct evnt_rec {
    long ap_event; /* APPEVNT_TIMER, _BUTTON, _MOUSE or _KEYBOARD */
    long ap_value; /* ms; button state and clicks; y << 16 | x; key code */
} EVNTREC;

/* Resource header, 14 bytes at the start of a resource image. Offsets count
 * from the data block that follows the header. */
typedef struct rshdr {
    unsigned short rsh_rssize;
    unsigned short rsh_tedinfo;
    unsigned short rsh_object;
    unsigned short rsh_trindex;
    short rsh_nteds;
    short rsh_nobs;
    short rsh_ntrees;
} RSHDR;

/* Bitmap font header, the first 88 bytes of a font image; the character
 * offset table and the font form follow it. The three pointer slots and
 * next_font are 32-bit values kept for the image layout: the layer holds
 * the native addresses of a registered font's table and form elsewhere. */
typedef struct font_hdr {
    short font_id;
    short size;
    char name[32];
    short first_ade, last_ade;
    short top, ascent, half, descent, bottom;
    short max_char_width, max_cell_width;
    short loffset, roffset;
    short thicken, ul_size, lighten, skew;
    short flags; /* 0x0400: the image is stored high byte first */
    int32_t hoff_base;
    int32_t coff_base;
    int32_t form_base;
    short form_width;  /* bytes per row of the font form */
    short form_height; /* rows = cell height */
    int32_t next_font;
} GFONT;

/* Two-colour mouse shape: 36 16-bit words. Mask and data word k is row k;
 * bit 15 is the left column. */
typedef struct mshape {
    short ms_xhot, ms_yhot;
    short ms_maskcol, ms_datacol;
    unsigned short ms_mask[16];
    unsigned short ms_data[16];
} MSHAPE;

/* ---------------------------------------------------------------------------
 * Constants
 * ------------------------------------------------------------------------- */

/* Object types */
#define OT_BOX        20
#define OT_IBOX       25
#define OT_BOXCHAR    27
#define OT_STRING     28
#define OT_FTEXT      29
#define OT_EDTEXT     30
#define OT_SCROLLTEXT 31
#define OT_TITLE      32
/* The record types. Codes 21 to 26 are the classic ones; the boxed
 * editable text and the icon, classically 30 and 31, take codes below 20
 * that no classic type uses. */
#define OT_ICON     18 /* ICONBLK */
#define OT_FBOXTEXT 19 /* TEDINFO: the template merged, in a box */
#define OT_TEXT     21 /* TEDINFO: the text, justified */
#define OT_BOXTEXT  22 /* TEDINFO: the text, justified, in a box */
#define OT_IMAGE    23 /* BITBLK */
#define OT_USERDEF  24 /* USERBLK */
#define OT_BUTTON   26 /* string: centred, framed; OF_EXIT, OF_DEFAULT thicker */

/* Object flags (behaviour and state) */
#define OF_DEFAULT  0x01
#define OF_EXIT     0x02
#define OF_CHECKED  0x04
#define OF_LASTOB   0x08
#define OF_HIDDEN   0x10
#define OF_SELECTED 0x20
#define OF_DISABLED 0x40
#define OF_FRAMED   0x80

/* Flags beyond OF_*, in ob_xflags, at their classic bit positions. The
 * positions 0x0002, 0x0004, 0x0020 and 0x0080 are DEFAULT, EXIT, LASTOB and
 * HIDETREE there, which are OF_* bits here: of them, 0x0002 is OX_INLINE
 * and the other three stay 0. Bits from 0x0800 up are the program's. */
#define OX_SELECTABLE 0x0001 /* a press selects (toggles) it */
#define OX_INLINE     0x0002 /* ob_spec is inline data: drawn as a plain box */
#define OX_EDITABLE   0x0008 /* OT_FTEXT, OT_FBOXTEXT: edited in form_do */
#define OX_RBUTTON    0x0010 /* selecting it deselects its OX_RBUTTON siblings */
#define OX_TOUCHEXIT  0x0040 /* a press ends the dialog */
#define OX_INDIRECT   0x0100 /* ob_spec points at the long holding the real value */
#define OX_FL3DIND    0x0200 /* 3D flags: kept, drawn flat */
#define OX_FL3DBAK    0x0400
#define OX_FL3DACT    0x0600

/* Object states as one word, at the classic positions: objc_change,
 * graf_watchbox and PARMBLK take it. Selected, checked and disabled live in
 * ob_flags (OF_SELECTED, OF_CHECKED, OF_DISABLED); the others in ob_xstate,
 * where those three positions stay 0. */
#define OS_NORMAL   0x0000
#define OS_SELECTED 0x0001
#define OS_CROSSED  0x0002 /* a white cross corner to corner */
#define OS_CHECKED  0x0004
#define OS_DISABLED 0x0008
#define OS_OUTLINED 0x0010 /* a frame 3 pixels outside, white between */
#define OS_SHADOWED 0x0020 /* a shadow right and below in the frame colour */
#define OS_WHITEBAK 0x0040 /* kept, not drawn */
#define OS_DRAW3D   0x0080 /* kept, not drawn */

/* ob_just */
#define TE_LEFT  0
#define TE_RIGHT 1
#define TE_CNTR  2

/* ob_look: bits 0 to 2 the fill, bit 3 the text mode. 0 is the layer's
 * own look: a solid fill and opaque text. */
#define OL_SOLID       0x00 /* 1 to 6: the dithers FIS_PATTERN 6 down to 1 */
#define OL_HOLLOW      0x07 /* not filled */
#define OL_FILLMASK    0x07
#define OL_TRANSPARENT 0x08 /* text drawn over the fill without a background */

/* objc_edit kinds */
#define ED_START 0
#define ED_INIT  1
#define ED_CHAR  2
#define ED_END   3

/* appl_trecord and appl_tplay event kinds */
#define APPEVNT_TIMER    0
#define APPEVNT_BUTTON   1
#define APPEVNT_MOUSE    2
#define APPEVNT_KEYBOARD 3

#define NIL (-1)

/* rsrc_gaddr kinds */
#define R_TREE    0
#define R_OBJECT  1
#define R_TEDINFO 2

/* Text effects */
#define TXT_BOLD       0x01
#define TXT_LIGHT      0x02
#define TXT_ITALIC     0x04
#define TXT_UNDERLINED 0x08
#define TXT_WIDE       0x10

/* evnt_multi request and result bits */
#define EV_KEYBOARD 0x01
#define EV_BUTTON   0x02
#define EV_RECT1    0x04
#define EV_RECT2    0x08
#define EV_MESSAGE  0x10
#define EV_TIMER    0x20

#define MSG_MENU_CHOSEN 10

/* The classic names of the evnt_multi bits, the same values */
#define MU_KEYBD  EV_KEYBOARD
#define MU_BUTTON EV_BUTTON
#define MU_M1     EV_RECT1
#define MU_M2     EV_RECT2
#define MU_MESAG  EV_MESSAGE
#define MU_TIMER  EV_TIMER

/* Messages: word 0 the type, word 1 the sender (the application, 0), word 2
 * 0, word 3 the window. WM_REDRAW, WM_MOVED and WM_SIZED carry x, y, w, h
 * in words 4 to 7; WM_ARROWED the action, WM_HSLID and WM_VSLID the slider
 * position (0 to 1000) in word 4. A menu message has the title in word 3
 * and the entry in word 4. */
#define MN_SELECTED MSG_MENU_CHOSEN
#define WM_REDRAW   20
#define WM_TOPPED   21
#define WM_CLOSED   22
#define WM_FULLED   23
#define WM_ARROWED  24
#define WM_HSLID    25
#define WM_VSLID    26
#define WM_SIZED    27
#define WM_MOVED    28
#define WM_NEWTOP   29
#define AP_TERM     50

/* WM_ARROWED actions */
#define WA_UPPAGE 0
#define WA_DNPAGE 1
#define WA_UPLINE 2
#define WA_DNLINE 3
#define WA_LFPAGE 4
#define WA_RTPAGE 5
#define WA_LFLINE 6
#define WA_RTLINE 7

/* Window kinds: the parts of a window's frame (wind_create, wind_calc) */
#define NAME    0x0001
#define CLOSER  0x0002
#define FULLER  0x0004
#define MOVER   0x0008
#define INFO    0x0010
#define SIZER   0x0020
#define UPARROW 0x0040
#define DNARROW 0x0080
#define VSLIDE  0x0100
#define LFARROW 0x0200
#define RTARROW 0x0400
#define HSLIDE  0x0800

/* wind_get and wind_set fields */
#define WF_KIND      1
#define WF_NAME      2
#define WF_INFO      3
#define WF_WORKXYWH  4
#define WF_CURRXYWH  5
#define WF_PREVXYWH  6
#define WF_FULLXYWH  7
#define WF_HSLIDE    8
#define WF_VSLIDE    9
#define WF_TOP       10
#define WF_FIRSTXYWH 11
#define WF_NEXTXYWH  12
#define WF_NEWDESK   14
#define WF_HSLSIZE   15
#define WF_VSLSIZE   16

/* wind_calc directions */
#define WC_BORDER 0 /* work area -> outer rectangle */
#define WC_WORK   1 /* outer rectangle -> work area */

/* wind_update modes */
#define END_UPDATE 0
#define BEG_UPDATE 1
#define END_MCTRL  2
#define BEG_MCTRL  3

/* graf_mouse shapes and requests */
#define ARROW       0
#define TEXT_CRSR   1
#define BUSY_BEE    2
#define POINT_HAND  3
#define FLAT_HAND   4
#define THIN_CROSS  5
#define THICK_CROSS 6
#define OUTLN_CROSS 7
#define USER_DEF    255
#define M_OFF       256
#define M_ON        257

/* Layer key codes (besides plain characters) */
#define K_F1        323
#define K_F12       334
#define K_UP        354
#define K_LEFT      356
#define K_RIGHT     358
#define K_DOWN      360
#define K_DELETE    128
#define K_BACKSPACE 127
#define K_RETURN    13

/* Modifier bits of kbstat */
#define K_RSHIFT 0x01
#define K_LSHIFT 0x02
#define K_CTRL   0x04
#define K_ALT    0x08

/* ---------------------------------------------------------------------------
 * The application's workstation handle (defined by the application)
 * ------------------------------------------------------------------------- */

extern int handle;

/* ---------------------------------------------------------------------------
 * Application start-up and shutdown
 * ------------------------------------------------------------------------- */

int appl_init(int rez); /* 0: 320x200, 1: 640x480, 2: 800x600; returns 1 */
int appl_exit(void);    /* never returns; exit status 0 */
int graf_handle(short *wchar, short *hchar, short *wbox, short *hbox);

/* The library's version, "MAJOR.MINOR.PATCH", as GEM_VERSION_STRING was when it was built. */
const char *gem_version(void);

/* ---------------------------------------------------------------------------
 * Screen modes and screen buffers (TOS)
 * ------------------------------------------------------------------------- */

void Setscreen(int mode, int rez); /* 1 logical, 0 visible, other: set mode */
int Getrez(void);
unsigned char *Logbase(void);
void *Physbase(void); /* always null: the screen is not addressable */

/* ---------------------------------------------------------------------------
 * Palette (TOS); colour triples are 8-bit red, green, blue
 * ------------------------------------------------------------------------- */

void Setpalette(void);
int Setcolor(int index, const unsigned char *rgb); /* index >= 256: find or add */
int Getpalette(void);
int Resetpalette(int count);
void Palettize(int count, unsigned char *map, const unsigned char *rgb);
void Getcolor(int index, unsigned char *rgb);
int Grabpalette(unsigned char *rgb);
void Storepalette(int first, int count, const unsigned char *rgb);
void Forcepalette(int first, int count, const unsigned char *rgb);
void Defaultpalette(void);

/* ---------------------------------------------------------------------------
 * Mouse cursor
 * ------------------------------------------------------------------------- */

int graf_mouse(int number, const MSHAPE *form);
void v_hide_c(int handle);
void v_show_c(int handle, int reset);

/* ---------------------------------------------------------------------------
 * Input polling and simple events
 * ------------------------------------------------------------------------- */

void vq_mouse(int handle, short *buttons, short *x, short *y);
void vq_key_s(int handle, short *state);
void vq_keybd(int handle, short *key);
int evnt_keybd(void);
int evnt_button(int clicks, int mask, int state, short *mx, short *my, short *mbuttons,
                short *mkbstat);
int evnt_timer(int locount, int hicount);
int evnt_mouse(int leave, int rx, int ry, int rw, int rh, short *mx, short *my, short *mbuttons,
               short *mkbstat);

/* ---------------------------------------------------------------------------
 * VDI: workstation, attributes and primitives
 * ------------------------------------------------------------------------- */

int v_opnvwk(short *work_in, short *handle_out, short *work_out);
void v_clsvwk(int handle);
void v_clrwk(int handle);
void vs_clip(int handle, int flag, const short *pxy);
int vsl_color(int handle, int color);
int vsf_color(int handle, int color);
int vst_color(int handle, int color);
int vst_effects(int handle, int effects);
int vex_retime(int handle, void (*routine)(void), void (**old)(void), int period);
void v_bar(int handle, const short *pxy);
void v_pline(int handle, int count, const short *pxy);

/* ---------------------------------------------------------------------------
 * VDI: raster copy. pxy: source x1,y1,x2,y2 then destination x1,y1,x2,y2.
 * Modes: 0 fill 0, 3 replace, 5 transparent (source 0 left out), 15 fill 1.
 * ------------------------------------------------------------------------- */

void vro_cpyfm(int handle, int mode, const short *pxy, const MFDB *src, const MFDB *dst);

/* ---------------------------------------------------------------------------
 * VDI: fonts and text
 * ------------------------------------------------------------------------- */

int vst_user_font(int handle, void *font);           /* number, or -1 */
int vst_load_font(int handle, const char *filename); /* number, or -1 */
int vst_unload_font(int handle, int number);         /* fonts left, or 0 */
int vst_font(int handle, int number);
void v_gtext(int handle, int x, int y, const char *string);

/* ---------------------------------------------------------------------------
 * VDI: the classic drawing calls. Handles, colours and surfaces as above; the
 * values and argument orders are the classic interface's. Under the default
 * attributes (MD_REPLACE, FIS_SOLID, solid one-pixel lines, TA_LEFT and
 * TA_BASE, no rotation) v_bar, v_pline and v_gtext draw as they always have.
 * Every call below honours the clip rectangle; v_pline alone ignores it.
 * ------------------------------------------------------------------------- */

/* Writing modes. XOR inverts bit 0 of every pixel the drawing sets. */
#define MD_REPLACE 1
#define MD_TRANS   2
#define MD_XOR     3
#define MD_ERASE   4 /* reverse transparent: where the pattern or glyph is 0 */

/* Fill interiors and the number of styles of each */
#define FIS_HOLLOW  0
#define FIS_SOLID   1
#define FIS_PATTERN 2 /* styles 1 to 24 */
#define FIS_HATCH   3 /* styles 1 to 12 */
#define FIS_USER    4 /* the pattern given with vsf_udpat */

/* Line types, and the ends of open lines */
#define SOLID    1
#define LONGDASH 2
#define DOT      3
#define DASHDOT  4
#define DASH     5
#define DASH2DOT 6
#define USERLINE 7
#define SQUARE   0
#define ARROWED  1
#define ROUND    2

/* Marker types */
#define PM_DOT       1
#define PM_PLUS      2
#define PM_ASTERISK  3
#define PM_SQUARE    4
#define PM_DIAGCROSS 5
#define PM_DIAMOND   6

/* Text alignment: horizontal, then vertical */
#define TA_LEFT    0
#define TA_CENTER  1
#define TA_RIGHT   2
#define TA_BASE    0
#define TA_HALF    1
#define TA_ASCENT  2
#define TA_BOTTOM  3
#define TA_DESCENT 4
#define TA_TOP     5

#define GEM_MAX_POLYGON 1024 /* points of v_fillarea; more draw nothing */

/* Attributes. Each returns the value it set (an unknown one is replaced by
 * the default). */
int vswr_mode(int handle, int mode);
int vsf_interior(int handle, int interior);
int vsf_style(int handle, int style);
int vsf_perimeter(int handle, int on);
void vsf_udpat(int handle, const short *pattern, int planes); /* 16 words a plane, bit 15 left */
int vsl_type(int handle, int type);
void vsl_udsty(int handle, int pattern); /* 16 bits, bit 15 first */
int vsl_width(int handle, int width);
void vsl_ends(int handle, int begin, int end);
int vsm_type(int handle, int type);
int vsm_height(int handle, int height);
int vsm_color(int handle, int color);

/* Attribute queries, in the classic word orders */
void vql_attributes(int handle, short *attrib); /* type, colour, mode, width, begin, end */
void vqf_attributes(int handle, short *attrib); /* interior, colour, style, mode, perimeter */
void vqm_attributes(int handle, short *attrib); /* type, colour, mode, width, height */
void vqt_attributes(
    int handle, short *attrib); /* font, colour, angle, h, v, mode, wchar, hchar, wcell, hcell */

/* Shapes. Angles in tenths of a degree, counter-clockwise from 3 o'clock. */
void vr_recfl(int handle, const short *pxy); /* filled, no perimeter */
void v_fillarea(int handle, int count, const short *pxy);
void v_circle(int handle, int x, int y, int radius);
void v_ellipse(int handle, int x, int y, int xradius, int yradius);
void v_arc(int handle, int x, int y, int radius, int begin, int end);
void v_ellarc(int handle, int x, int y, int xradius, int yradius, int begin, int end);
void v_pieslice(int handle, int x, int y, int radius, int begin, int end);
void v_ellpie(int handle, int x, int y, int xradius, int yradius, int begin, int end);
void v_rbox(int handle, const short *pxy);
void v_rfbox(int handle, const short *pxy);
void v_contourfill(int handle, int x, int y, int color); /* color -1: any colour but the seed's */
void v_pmarker(int handle, int count, const short *pxy);
int v_get_pixel(int handle, int x, int y, short *pel, short *index);

/* Text placement and metrics */
void vst_alignment(int handle, int horizontal, int vertical, short *hor_out, short *vert_out);
int vst_height(int handle, int height, short *char_width, short *char_height, short *cell_width,
               short *cell_height); /* returns the height set */
int vst_point(int handle, int point, short *char_width, short *char_height, short *cell_width,
              short *cell_height);                              /* returns the point size set */
int vst_rotation(int handle, int angle);                        /* 0, 900, 1800 or 2700 */
void vqt_extent(int handle, const char *string, short *extent); /* 4 corners, 8 words */
int vqt_width(int handle, int character, short *advance, short *left_delta, short *right_delta);
int vqt_name(int handle, int number, char *name); /* number from 1; name: 33 bytes */
void v_justified(int handle, int x, int y, const char *string, int length, int word_space,
                 int char_space);

/* Workstations, fonts and colours. The physical workstation is the screen. */
void v_opnwk(short *work_in, short *handle_out, short *work_out);
void v_clswk(int handle);
void v_updwk(int handle);
void vq_extnd(int handle, int extended, short *work_out); /* 57 words */
int vq_gdos(void);
int vst_load_fonts(int handle, int select); /* fonts added */
void vst_unload_fonts(int handle, int select);
void vs_color(int handle, int index, const short *rgb);        /* 0..1000 each */
int vq_color(int handle, int index, int set_flag, short *rgb); /* index, or -1 */

/* The text cursor: a grid of system-font cells over the screen */
void vq_chcells(int handle, short *rows, short *columns);
void v_enter_cur(int handle);
void v_exit_cur(int handle);
void v_curtext(int handle, const char *string);
void vs_curaddress(int handle, int row, int column); /* from 1 */
void vq_curaddress(int handle, short *row, short *column);
void v_curup(int handle);
void v_curdown(int handle);
void v_curright(int handle);
void v_curleft(int handle);
void v_curhome(int handle);
void v_dspcur(int handle, int x, int y);
void v_rmcur(int handle);
void v_eeol(int handle);
void v_eeos(int handle);

/* Raster forms. A one-plane form holds 16-bit words, fd_wdwidth a row, bit
 * 15 the leftmost pixel. vrt_cpyfm draws one in two colours (colors[0] for
 * 1 bits, colors[1] for 0 bits) with a writing mode; vr_trnfm turns the
 * standard form (fd_stand 1: planes one after another) into the device form
 * (one byte a pixel) and back; a one-plane form keeps its words either way,
 * and vrt_cpyfm draws it. */
void vrt_cpyfm(int handle, int mode, const short *pxy, const MFDB *src, const MFDB *dst,
               const short *colors);
void vr_trnfm(int handle, const MFDB *src, MFDB *dst);

/* ---------------------------------------------------------------------------
 * Resources and object trees
 * ------------------------------------------------------------------------- */

int rsrc_load(const char *path);
int rsrc_include(void *image);
int rsrc_gaddr(int kind, int index, void *out);
int rsrc_free(void);

int objc_offset(OBJECT *tree, int obj, short *x, short *y);
int objc_find(OBJECT *tree, int start, int depth, int mx, int my);
int objc_draw(OBJECT *tree, int start, int depth, int x, int y, int w, int h);

/* Sets the object's whole state (OS_* word: the OF_SELECTED, OF_CHECKED and
 * OF_DISABLED bits and ob_xstate) and, with redraw 1, draws it again
 * clipped to (cx, cy, cw, ch). */
int objc_change(OBJECT *tree, int obj, int reserved, int cx, int cy, int cw, int ch, int newstate,
                int redraw);
/* Edits the text of an OX_EDITABLE (or OT_EDTEXT, OT_SCROLLTEXT) field.
 * ED_INIT puts the cursor after the text and shows it, ED_CHAR takes one
 * layer key code, ED_END hides the cursor; *idx is the cursor position. */
int objc_edit(OBJECT *tree, int obj, int key, short *idx, int kind);
int objc_add(OBJECT *tree, int parent, int child);   /* child becomes the last child */
int objc_delete(OBJECT *tree, int obj);              /* unlinked; the array stays */
int objc_order(OBJECT *tree, int obj, int position); /* 0 first, -1 last among its siblings */

int graf_rubberbox(int x, int y, int minw, int minh, short *w, short *h);
int graf_dragbox(int w, int h, int x, int y, int bx, int by, int bw, int bh, short *fx, short *fy);
int graf_slidebox(OBJECT *tree, int parent, int slider, int vertical);
/* While the left button is held: the object in `instate` while the pointer
 * is over it, `outstate` while not (OS_* words). 1 when released over it. */
int graf_watchbox(OBJECT *tree, int obj, int instate, int outstate);
int graf_mkstate(short *mx, short *my, short *mbutton, short *kbstate);
/* Short XOR outline animations: from the first rectangle to the second; a
 * shrink, in the classic order, to the first from the second. */
int graf_growbox(int x, int y, int w, int h, int fx, int fy, int fw, int fh);
int graf_shrinkbox(int fx, int fy, int fw, int fh, int x, int y, int w, int h);
int graf_movebox(int w, int h, int x, int y, int dx, int dy);

/* Character units to pixels: each of ob_x, ob_y, ob_width, ob_height holds
 * characters in its low byte and pixels in its high byte. */
int rsrc_obfix(OBJECT *tree, int obj);
/* R_TREE: a tree address into the tree index; R_OBJECT, R_TEDINFO: a record
 * copied in from `in`. 0 for the built-in resource. */
int rsrc_saddr(int kind, int index, const void *in);

/* ---------------------------------------------------------------------------
 * Menus and message events
 * ------------------------------------------------------------------------- */

int menu_bar(OBJECT *tree, int show);
int menu_tnormal(OBJECT *tree, int index, int normal);
int menu_icheck(OBJECT *tree, int index, int check);
int menu_ienable(OBJECT *tree, int index, int enable);
int menu_text(OBJECT *tree, int index, const char *text); /* into the entry's own string */
int menu_register(int apid, const char *name);            /* the name appl_find knows */

int evnt_multi(int flags, int clicks, int mask, int state, int m1flag, int m1x, int m1y, int m1w,
               int m1h, int m2flag, int m2x, int m2y, int m2w, int m2h, short *msg, int locount,
               int hicount, short *mx, short *my, short *mbutton, short *mkbstat, short *keycode,
               short *nclicks);
int evnt_mesag(short *msg);
/* The double-click speed, 0 (slowest) to 4: with set 1 sets it; returns
 * the speed in force. evnt_multi and evnt_button count clicks by it. */
int evnt_dclick(int rate, int set);

/* ---------------------------------------------------------------------------
 * Applications, the shell and the clipboard. The program is application 0.
 * ------------------------------------------------------------------------- */

int appl_write(int apid, int length, const void *buffer); /* onto the queue, 16 bytes a message */
int appl_read(int apid, int length, void *buffer);
int appl_find(const char *name); /* application id, or -1 */
/* name: 9 bytes, the classic eight-character name and a 0 */
int appl_search(int mode, char *name, short *type, short *apid);
int appl_getinfo(int type, short *out1, short *out2, short *out3, short *out4);
int appl_trecord(EVNTREC *events, int count); /* events recorded */
int appl_tplay(const EVNTREC *events, int count, int speed);

int shel_find(char *path); /* path: at least GEM_PATH_MAX bytes */
int shel_envrn(char **value, const char *name);
int shel_write(int doex, int isgr, int iscr, const char *command, const char *tail);
int shel_read(char *command, char *tail);

int scrp_read(char *path); /* path: at least GEM_PATH_MAX bytes */
int scrp_write(const char *path);

#define GEM_PATH_MAX 256

/* ---------------------------------------------------------------------------
 * Windows. Handle 0 is the desktop: the screen below the menu bar. The
 * layer draws every window's frame and the desktop; a work area is the
 * program's, which it paints when a WM_REDRAW message asks, through the
 * rectangle list (WF_FIRSTXYWH, WF_NEXTXYWH). The layer never moves, sizes
 * or tops a window by itself: the user's actions arrive as messages, and
 * the program answers them with wind_set.
 * ------------------------------------------------------------------------- */

#define GEM_MAX_WINDOWS 32  /* windows that can exist at once */
#define GEM_WINDOW_TEXT 128 /* bytes of a name or info text, the 0 included */

int wind_create(int kind, int x, int y, int w, int h); /* handle, or -1 when none is free */
int wind_open(int whandle, int x, int y, int w, int h);
int wind_close(int whandle);
int wind_delete(int whandle);
int wind_new(void);
int wind_get(int whandle, int field, short *a, short *b, short *c, short *d);
int wind_set(int whandle, int field, int a, int b, int c, int d);
/* WF_NAME and WF_INFO: an address does not fit wind_set's 16-bit values.
 * The window keeps a copy (cut to 127 characters); wind_get_str writes at
 * most GEM_WINDOW_TEXT bytes. */
int wind_set_str(int whandle, int field, const char *text);
int wind_get_str(int whandle, int field, char *text);
/* WF_NEWDESK on handle 0: the layer draws `tree` from `start` wherever the
 * desktop shows; a null tree gives the plain desktop back. */
int wind_set_tree(int whandle, int field, OBJECT *tree, int start);
int wind_calc(int type, int kind, int x, int y, int w, int h, short *x2, short *y2, short *w2,
              short *h2);
int wind_find(int x, int y);
int wind_update(int mode);

/* ---------------------------------------------------------------------------
 * Forms and dialogs
 * ------------------------------------------------------------------------- */

int form_center(OBJECT *tree, short *x, short *y, short *w, short *h);
int form_dial(int flag, int lx, int ly, int lw, int lh, int x, int y, int w, int h);
int form_do(OBJECT *tree, int start);
/* One key (form_keybd) or one press (form_button) of a dialog run by the
 * program's own loop, as form_do handles it. Both return 0 when the dialog
 * ends, with the object that ended it in *next_obj. */
int form_keybd(OBJECT *tree, int obj, int next, int key, short *next_obj, short *next_key);
int form_button(OBJECT *tree, int obj, int clicks, short *next_obj);
int form_alert(int default_button, const char *alert);
int form_infobox(OBJECT *tree);
int form_input_text(int maxlen, const char *prompt, char *text, const char *title);
int form_input(int maxlen, const char *prompt, int value, const char *title);
int form_error(int code);
int form_error_text(const char *text);

/* ---------------------------------------------------------------------------
 * File selector
 * ------------------------------------------------------------------------- */

int fsel_exinput(char *path, char *file, short *button, const char *title);
int fsel_input(char *path, char *file, short *button);
int fsel_set_extn(const char *ext);

#ifdef __cplusplus
}
#endif

#endif /* GEM_GEM_H */
