/*
 * classic.h - the classic profile: the GEM and TOS calls under their classic
 * names, types, values and meanings, on the layer of gem/gem.h.
 *
 * Programs include it through the classic header names (gemdefs.h, obdefs.h,
 * osbind.h, aesbind.h, vdibind.h, gembind.h, portab.h, gem.h), which
 * `pkg-config --cflags gem-classic` puts on the include path. It compiles as
 * C (C11 for the pointer genericity below; GCC accepts it in C99 too) and
 * as C++.
 *
 * How it sits on the layer:
 *   - Every call whose classic meaning or argument types differ from the
 *     layer's is a macro that calls a gemc_* function of the profile's
 *     library (libgem-classic). A program written against gem/gem.h links
 *     the layer alone and sees none of this.
 *   - Values returned through pointers, and arrays handed in, may be `short`
 *     or `int` (or `long`) in the program: GEMC_REF and GEMC_CREF carry the
 *     address with the width of what it points at (C11 _Generic in C,
 *     overloads in C++), and the profile reads and writes each value in that
 *     width. A null pointer is accepted where the classic call allows one.
 *   - Object trees are the classic layout (OBJECT below). The profile
 *     translates a tree to the layer's model for each call and writes links,
 *     positions, flags and states back afterwards.
 *   - `LONG` is `long`: pointer-wide, because classic programs keep
 *     addresses in it.
 *
 * Defining GEM_CLASSIC_IMPLEMENTATION (the profile's own sources) leaves out
 * every classic name: only the GEMC_* types and the gemc_* calls remain, so
 * the implementation can include gem/gem.h beside this header.
 */
#ifndef GEM_CLASSIC_CLASSIC_H
#define GEM_CLASSIC_CLASSIC_H

#include <stddef.h>
#include <stdint.h>

#include "gem/version.h"

#ifdef __cplusplus
extern "C" {
#endif

/* ---------------------------------------------------------------------------
 * Pointers of either width
 * ------------------------------------------------------------------------- */

/* An address and the size in bytes of each value there: 2, 4 or 8; 0 for a
 * null pointer (nothing is read or written). */
typedef struct gemc_ref {
    void *p;
    int size;
} GEMC_REF;

long gemc_get(GEMC_REF ref, int index);             /* 0 from a null ref */
void gemc_put(GEMC_REF ref, int index, long value); /* nothing to a null ref */

#ifdef __cplusplus
}
#include <type_traits>
/* C++: the width from the pointee's type; 0 and nullptr give the null ref
 * (NULL is ambiguous here in C++: write 0 or nullptr). */
template <class T>
inline GEMC_REF gemc_ref_of(T *p)
{
    static_assert(std::is_integral<T>::value && sizeof(T) >= 2 && sizeof(T) <= 8,
                  "a pointer to short, int or long");
    static_assert(!std::is_const<T>::value, "values are written here");
    GEMC_REF r = {p, (int)sizeof(T)};
    return r;
}
template <class T>
inline GEMC_REF gemc_cref_of(const T *p)
{
    static_assert(std::is_integral<T>::value && sizeof(T) >= 2 && sizeof(T) <= 8,
                  "a pointer to short, int or long");
    GEMC_REF r = {(void *)p, (int)sizeof(T)};
    return r;
}
inline GEMC_REF gemc_ref_of(decltype(nullptr)) { return GEMC_REF{0, 0}; }
inline GEMC_REF gemc_ref_of(int) { return GEMC_REF{0, 0}; }
inline GEMC_REF gemc_cref_of(decltype(nullptr)) { return GEMC_REF{0, 0}; }
inline GEMC_REF gemc_cref_of(int) { return GEMC_REF{0, 0}; }
#define GEMC_REF(x)  gemc_ref_of(x)
#define GEMC_CREF(x) gemc_cref_of(x)
extern "C" {
#else
static inline GEMC_REF gemc_ref_s(short *p)
{
    GEMC_REF r = {p, 2};
    return r;
}
static inline GEMC_REF gemc_ref_us(unsigned short *p)
{
    GEMC_REF r = {p, 2};
    return r;
}
static inline GEMC_REF gemc_ref_i(int *p)
{
    GEMC_REF r = {p, 4};
    return r;
}
static inline GEMC_REF gemc_ref_ui(unsigned int *p)
{
    GEMC_REF r = {p, 4};
    return r;
}
static inline GEMC_REF gemc_ref_l(long *p)
{
    GEMC_REF r = {p, 8};
    return r;
}
static inline GEMC_REF gemc_ref_ul(unsigned long *p)
{
    GEMC_REF r = {p, 8};
    return r;
}
static inline GEMC_REF gemc_ref_null(const void *p)
{
    GEMC_REF r = {0, 0};
    (void)p;
    return r;
}
static inline GEMC_REF gemc_cref_s(const short *p)
{
    GEMC_REF r = {(void *)p, 2};
    return r;
}
static inline GEMC_REF gemc_cref_us(const unsigned short *p)
{
    GEMC_REF r = {(void *)p, 2};
    return r;
}
static inline GEMC_REF gemc_cref_i(const int *p)
{
    GEMC_REF r = {(void *)p, 4};
    return r;
}
static inline GEMC_REF gemc_cref_ui(const unsigned int *p)
{
    GEMC_REF r = {(void *)p, 4};
    return r;
}
static inline GEMC_REF gemc_cref_l(const long *p)
{
    GEMC_REF r = {(void *)p, 8};
    return r;
}
static inline GEMC_REF gemc_cref_ul(const unsigned long *p)
{
    GEMC_REF r = {(void *)p, 8};
    return r;
}
/* The function is chosen by the pointee and then called, so a 0 or NULL
 * argument reaches gemc_ref_null as a null pointer constant. */
#define GEMC_REF(x)                                                                                \
    _Generic((x), short *: gemc_ref_s, unsigned short *: gemc_ref_us, int *: gemc_ref_i, \
             unsigned int *: gemc_ref_ui, long *: gemc_ref_l, unsigned long *: gemc_ref_ul, \
             default: gemc_ref_null)(x)
#define GEMC_CREF(x)                                                                               \
    _Generic((x), short *: gemc_cref_s, const short *: gemc_cref_s,                     \
             unsigned short *: gemc_cref_us, const unsigned short *: gemc_cref_us,       \
             int *: gemc_cref_i, const int *: gemc_cref_i, unsigned int *: gemc_cref_ui, \
             const unsigned int *: gemc_cref_ui, long *: gemc_cref_l,                    \
             const long *: gemc_cref_l, unsigned long *: gemc_cref_ul,                   \
             const unsigned long *: gemc_cref_ul, default: gemc_ref_null)(x)
#endif

/* ---------------------------------------------------------------------------
 * Classic types
 * ------------------------------------------------------------------------- */

#ifndef GEM_CLASSIC_IMPLEMENTATION
/* The same layouts as the layer's GRECT and MFDB. */
typedef struct grect {
    short g_x, g_y, g_w, g_h;
} GRECT;

typedef struct fdbstr {
    void *fd_addr; /* null: the screen */
    short fd_w, fd_h, fd_wdwidth, fd_stand, fd_nplanes;
    short fd_r1, fd_r2, fd_r3;
} MFDB, FDB;
#endif

struct gemc_parm_blk;

typedef struct gemc_text_edinfo {
    char *te_ptext;
    char *te_ptmplt;
    char *te_pvalid;
    short te_font; /* 3 the system font, 5 the small one */
    short te_fontid;
    short te_just; /* TE_LEFT, TE_RIGHT, TE_CNTR */
    short te_color;
    short te_fontsize;
    short te_thickness;
    short te_txtlen;
    short te_tmplen;
} GEMC_TEDINFO;

typedef struct gemc_icon_block {
    short *ib_pmask;
    short *ib_pdata;
    char *ib_ptext;
    short ib_char;
    short ib_xchar, ib_ychar;
    short ib_xicon, ib_yicon, ib_wicon, ib_hicon;
    short ib_xtext, ib_ytext, ib_wtext, ib_htext;
} GEMC_ICONBLK;

typedef struct gemc_bit_block {
    short *bi_pdata;
    short bi_wb, bi_hl;
    short bi_x, bi_y;
    short bi_color;
} GEMC_BITBLK;

/* The classic object word for boxes: character, frame size, colour word,
 * as bit fields of ob_spec's low 32 bits (little-endian order). */
typedef struct gemc_bfobspec {
    unsigned interiorcol : 4;
    unsigned fillpattern : 3;
    unsigned textmode : 1;
    unsigned textcol : 4;
    unsigned framecol : 4;
    signed framesize : 8;
    unsigned character : 8;
} GEMC_BFOBSPEC;

struct gemc_user_blk;

typedef union gemc_obspec {
    long index;
    union gemc_obspec *indirect;
    GEMC_BFOBSPEC obspec;
    GEMC_TEDINFO *tedinfo;
    GEMC_ICONBLK *iconblk;
    GEMC_BITBLK *bitblk;
    struct gemc_user_blk *userblk;
    char *free_string;
} GEMC_OBSPEC;

/* The classic object: next, head, tail, 16-bit type, flags and state, the
 * pointer-wide ob_spec, then position and size. Programs that include the
 * later combined header (gem.h) get ob_spec as the OBSPEC union; the older
 * headers give it as a LONG, as they always had. Both are 8 bytes. */
typedef struct gemc_object {
    short ob_next;
    short ob_head;
    short ob_tail;
    unsigned short ob_type;
    unsigned short ob_flags;
    unsigned short ob_state;
#if defined(GEM_CLASSIC_LATER) && !defined(GEM_CLASSIC_IMPLEMENTATION)
    GEMC_OBSPEC ob_spec;
#else
    long ob_spec;
#endif
    short ob_x, ob_y, ob_width, ob_height;
} GEMC_OBJECT;

typedef struct gemc_parm_blk {
    GEMC_OBJECT *pb_tree;
    short pb_obj;
    short pb_prevstate;
    short pb_currstate;
    short pb_x, pb_y, pb_w, pb_h;
    short pb_xc, pb_yc, pb_wc, pb_hc;
    long pb_parm;
} GEMC_PARMBLK;

typedef struct gemc_user_blk {
#if defined(GEM_CLASSIC_LATER) && !defined(GEM_CLASSIC_IMPLEMENTATION)
    int (*ub_code)(GEMC_PARMBLK *parmblock);
#else
    long ub_code; /* the routine's address: int (*)(PARMBLK *) */
#endif
    long ub_parm;
} GEMC_USERBLK;

#ifndef GEM_CLASSIC_IMPLEMENTATION
typedef GEMC_OBJECT OBJECT;
typedef GEMC_TEDINFO TEDINFO;
typedef GEMC_ICONBLK ICONBLK;
typedef GEMC_BITBLK BITBLK;
typedef GEMC_USERBLK USERBLK, APPLBLK;
typedef GEMC_PARMBLK PARMBLK;
typedef GEMC_OBSPEC OBSPEC;
typedef GEMC_BFOBSPEC BFOBSPEC;
#endif

/* ---------------------------------------------------------------------------
 * portab.h: the portable types of classic sources
 * ------------------------------------------------------------------------- */

#ifndef GEM_CLASSIC_IMPLEMENTATION
#define WORD    short
#define UWORD   unsigned short
#define LONG    long
#define ULONG   unsigned long
#define BYTE    char
#define UBYTE   unsigned char
#define BOOLEAN int
#define VOID    void
#define REG     register
#define EXTERN  extern
#define LOCAL   static
#define MLOCAL  static
#define GLOBAL
#ifndef TRUE
#define TRUE  1
#define FALSE 0
#endif
#define NULLPTR ((void *)0)
/* Halves of a 32-bit value. LHIWD keeps every bit above the low word, so
 * an address split with it and joined again by the profile survives on a
 * machine with 64-bit addresses (wind_set's WF_NAME, WF_INFO, WF_NEWDESK). */
#define LLOWD(x) ((UWORD)(x))
#define LHIWD(x) ((long)(x) >> 16)
#define LLOBT(x) ((UBYTE)((x)&0xff))
#define LHIBT(x) ((UBYTE)(((x) >> 8) & 0xff))
#define ADDR(x)  ((long)(x))
#endif

/* ---------------------------------------------------------------------------
 * AES: objects, resources, forms, menus, graphics
 * ------------------------------------------------------------------------- */

#ifndef GEM_CLASSIC_IMPLEMENTATION
/* Object types; the high byte of ob_type is the program's own. */
#define G_BOX      20
#define G_TEXT     21
#define G_BOXTEXT  22
#define G_IMAGE    23
#define G_USERDEF  24
#define G_PROGDEF  24
#define G_IBOX     25
#define G_BUTTON   26
#define G_BOXCHAR  27
#define G_STRING   28
#define G_FTEXT    29
#define G_FBOXTEXT 30
#define G_ICON     31
#define G_TITLE    32

/* Object flags */
#define NONE       0x0000
#define SELECTABLE 0x0001
#define DEFAULT    0x0002
#define EXIT       0x0004
#define EDITABLE   0x0008
#define RBUTTON    0x0010
#define LASTOB     0x0020
#define TOUCHEXIT  0x0040
#define HIDETREE   0x0080
#define INDIRECT   0x0100 /* ob_spec points at the long holding the real value */
#define FL3DIND    0x0200
#define FL3DBAK    0x0400
#define FL3DACT    0x0600
#define SUBMENU    0x0800

/* Object states */
#define NORMAL   0x0000
#define SELECTED 0x0001
#define CROSSED  0x0002
#define CHECKED  0x0004
#define DISABLED 0x0008
#define OUTLINED 0x0010
#define SHADOWED 0x0020
#define WHITEBAK 0x0040
#define DRAW3D   0x0080

#define ROOT      0
#define NIL       (-1)
#define MAX_DEPTH 8
#define MAX_LEN   81

/* te_just and te_font */
#define TE_LEFT  0
#define TE_RIGHT 1
#define TE_CNTR  2
#define IBM      3
#define SMALL    5

/* Colours */
#define WHITE      0
#define BLACK      1
#define RED        2
#define GREEN      3
#define BLUE       4
#define CYAN       5
#define YELLOW     6
#define MAGENTA    7
#define LWHITE     8
#define LBLACK     9
#define LRED       10
#define LGREEN     11
#define LBLUE      12
#define LCYAN      13
#define LYELLOW    14
#define LMAGENTA   15
#define G_WHITE    WHITE
#define G_BLACK    BLACK
#define G_RED      RED
#define G_GREEN    GREEN
#define G_BLUE     BLUE
#define G_CYAN     CYAN
#define G_YELLOW   YELLOW
#define G_MAGENTA  MAGENTA
#define G_LWHITE   LWHITE
#define G_LBLACK   LBLACK
#define G_LRED     LRED
#define G_LGREEN   LGREEN
#define G_LBLUE    LBLUE
#define G_LCYAN    LCYAN
#define G_LYELLOW  LYELLOW
#define G_LMAGENTA LMAGENTA

/* form_dial */
#define FMD_START  0
#define FMD_GROW   1
#define FMD_SHRINK 2
#define FMD_FINISH 3

/* objc_edit */
#define ED_START 0
#define ED_INIT  1
#define ED_CHAR  2
#define ED_END   3

/* rsrc_gaddr and rsrc_saddr kinds */
#define R_TREE      0
#define R_OBJECT    1
#define R_TEDINFO   2
#define R_ICONBLK   3
#define R_BITBLK    4
#define R_STRING    5
#define R_IMAGEDATA 6
#define R_OBSPEC    7
#define R_TEPTEXT   8
#define R_TEPTMPLT  9
#define R_TEPVALID  10
#define R_IBPMASK   11
#define R_IBPDATA   12
#define R_IBPTEXT   13
#define R_BIPDATA   14
#define R_FRSTR     15
#define R_FRIMG     16
#endif

/* Trees are classic ones; states are classic state words. objc_draw's and
 * objc_change's rectangle clips: the tree stays where its root's ob_x and
 * ob_y put it. Key codes are classic (scan code high, character low). A
 * tree is taken up to its first LASTOB object, of at most 4096; a longer
 * one, or one without LASTOB, is refused (0, or -1 where an object number
 * is the answer) and nothing is drawn. */
int gemc_objc_draw(GEMC_OBJECT *tree, int start, int depth, int xc, int yc, int wc, int hc);
int gemc_objc_find(GEMC_OBJECT *tree, int start, int depth, int mx, int my);
int gemc_objc_offset(GEMC_OBJECT *tree, int obj, GEMC_REF x, GEMC_REF y);
int gemc_objc_change(GEMC_OBJECT *tree, int obj, int reserved, int xc, int yc, int wc, int hc,
                     int newstate, int redraw);
int gemc_objc_edit(GEMC_OBJECT *tree, int obj, int key, GEMC_REF idx, int kind);
int gemc_objc_add(GEMC_OBJECT *tree, int parent, int child);
int gemc_objc_delete(GEMC_OBJECT *tree, int obj);
int gemc_objc_order(GEMC_OBJECT *tree, int obj, int position);
int gemc_objc_draw_grect(GEMC_OBJECT *tree, int start, int depth, const struct grect *clip);
int gemc_objc_change_grect(GEMC_OBJECT *tree, int obj, int reserved, const struct grect *clip,
                           int newstate, int redraw);

/* FMD_START saves the screen under the big box, FMD_FINISH puts it back;
 * FMD_GROW and FMD_SHRINK draw the boxes between the little and the big. */
int gemc_form_dial(int flag, int lx, int ly, int lw, int lh, int x, int y, int w, int h);
int gemc_form_do(GEMC_OBJECT *tree, int start);
int gemc_form_center(GEMC_OBJECT *tree, GEMC_REF x, GEMC_REF y, GEMC_REF w, GEMC_REF h);
int gemc_form_center_grect(GEMC_OBJECT *tree, struct grect *r);
int gemc_form_keybd(GEMC_OBJECT *tree, int obj, int next, int key, GEMC_REF next_obj,
                    GEMC_REF next_key);
int gemc_form_button(GEMC_OBJECT *tree, int obj, int clicks, GEMC_REF next_obj);
/* The same calls as the layer's */
int form_alert(int default_button, const char *alert);
int form_error(int code);

int gemc_graf_slidebox(GEMC_OBJECT *tree, int parent, int slider, int vertical);
int gemc_graf_watchbox(GEMC_OBJECT *tree, int obj, int instate, int outstate);

int gemc_menu_bar(GEMC_OBJECT *tree, int show);
int gemc_menu_icheck(GEMC_OBJECT *tree, int item, int check);
int gemc_menu_ienable(GEMC_OBJECT *tree, int item, int enable);
int gemc_menu_tnormal(GEMC_OBJECT *tree, int title, int normal);
int gemc_menu_text(GEMC_OBJECT *tree, int item, const char *text);
int menu_register(int apid, const char *name); /* the layer's */

/* Characters in each low byte, pixels in each high byte, by graf_handle's
 * character size. Any object of an array (an .RSH file's rs_object), not
 * only one of a tree. */
int gemc_rsrc_obfix(GEMC_OBJECT *tree, int obj);

#ifndef GEM_CLASSIC_IMPLEMENTATION
/* Trees may come as OBJECT pointers or as LONG addresses. */
#define GEMC_TREE(t)                   ((GEMC_OBJECT *)(t))
#define objc_draw(t, s, d, x, y, w, h) gemc_objc_draw(GEMC_TREE(t), s, d, x, y, w, h)
#define objc_find(t, s, d, x, y)       gemc_objc_find(GEMC_TREE(t), s, d, x, y)
#define objc_offset(t, o, x, y)        gemc_objc_offset(GEMC_TREE(t), o, GEMC_REF(x), GEMC_REF(y))
#define objc_change(t, o, r, x, y, w, h, s, d)                                                     \
    gemc_objc_change(GEMC_TREE(t), o, r, x, y, w, h, s, d)
#define objc_edit(t, o, c, i, k)                 gemc_objc_edit(GEMC_TREE(t), o, c, GEMC_REF(i), k)
#define objc_add(t, p, c)                        gemc_objc_add(GEMC_TREE(t), p, c)
#define objc_delete(t, o)                        gemc_objc_delete(GEMC_TREE(t), o)
#define objc_order(t, o, p)                      gemc_objc_order(GEMC_TREE(t), o, p)
#define objc_draw_grect(t, s, d, r)              gemc_objc_draw_grect(GEMC_TREE(t), s, d, r)
#define objc_change_grect(t, o, r, g, s, d)      gemc_objc_change_grect(GEMC_TREE(t), o, r, g, s, d)
#define form_dial(f, lx, ly, lw, lh, x, y, w, h) gemc_form_dial(f, lx, ly, lw, lh, x, y, w, h)
#define form_do(t, s)                            gemc_form_do(GEMC_TREE(t), s)
#define form_center(t, x, y, w, h)                                                                 \
    gemc_form_center(GEMC_TREE(t), GEMC_REF(x), GEMC_REF(y), GEMC_REF(w), GEMC_REF(h))
#define form_center_grect(t, r) gemc_form_center_grect(GEMC_TREE(t), r)
#define form_keybd(t, o, n, c, no, nc)                                                             \
    gemc_form_keybd(GEMC_TREE(t), o, n, c, GEMC_REF(no), GEMC_REF(nc))
#define form_button(t, o, c, no)  gemc_form_button(GEMC_TREE(t), o, c, GEMC_REF(no))
#define graf_slidebox(t, p, s, v) gemc_graf_slidebox(GEMC_TREE(t), p, s, v)
#define graf_watchbox(t, o, i, u) gemc_graf_watchbox(GEMC_TREE(t), o, i, u)
#define menu_bar(t, s)            gemc_menu_bar(GEMC_TREE(t), s)
#define menu_icheck(t, i, c)      gemc_menu_icheck(GEMC_TREE(t), i, c)
#define menu_ienable(t, i, e)     gemc_menu_ienable(GEMC_TREE(t), i, e)
#define menu_tnormal(t, i, n)     gemc_menu_tnormal(GEMC_TREE(t), i, n)
#define menu_text(t, i, s)        gemc_menu_text(GEMC_TREE(t), i, (const char *)(s))
#define rsrc_obfix(t, o)          gemc_rsrc_obfix(GEMC_TREE(t), o)
#endif

/* Resource files: classic .RSC files (big-endian, 36-byte header), not the
 * layer's own format. rsrc_load builds the classic records of the file's
 * trees with their positions fixed to pixels by the screen font's cell, and
 * returns 1; a file it cannot read or that does not hold together gives 0,
 * with the file's name and the reason on standard error (no alert: the
 * program tells the user). Each successful rsrc_load makes its file the one
 * rsrc_gaddr answers from; rsrc_free frees every file loaded. rsrc_gaddr
 * writes a pointer-wide address through `out` (the program's OBJECT * or
 * LONG) and returns 0 for a kind or index out of range. rsrc_saddr sets the
 * tree index entry (R_TREE) or the pointer field that rsrc_gaddr gives the
 * address of (R_OBSPEC to R_FRIMG). */
int gemc_rsrc_load(const char *path);
int gemc_rsrc_gaddr(int kind, int index, void *out);
int gemc_rsrc_saddr(int kind, int index, void *value);
int gemc_rsrc_free(void);

#ifndef GEM_CLASSIC_IMPLEMENTATION
#define rsrc_load(path)                gemc_rsrc_load(path)
#define rsrc_gaddr(kind, index, out)   gemc_rsrc_gaddr((kind), (index), (void *)(intptr_t)(out))
#define rsrc_saddr(kind, index, value) gemc_rsrc_saddr((kind), (index), (void *)(intptr_t)(value))
#define rsrc_free()                    gemc_rsrc_free()
#endif

/* ---------------------------------------------------------------------------
 * AES: applications, events, windows, graf_handle, the shell
 * ------------------------------------------------------------------------- */

#ifndef GEM_CLASSIC_IMPLEMENTATION
/* The layer keeps a workstation handle of its own under the name `handle`,
 * which its programs define. Each file of a classic program defines it here,
 * weak (one is kept), so it exists however the program links. Classic
 * programs often name their own VDI handle so, in any width: the
 * program's is renamed, so the two never share storage. */
__attribute__((weak)) int handle = 0;
#define handle gemc_program_handle
#endif

/* Classic mouse form for graf_mouse(USER_DEF, ...): hot spot, planes (1),
 * data (foreground) and mask (background) colours, then 16 rows of mask and
 * 16 of data, bit 15 the left column. 37 words, as older sources keep it in
 * a WORD array. */
typedef struct gemc_mfstr {
    short mf_xhot, mf_yhot;
    short mf_nplanes;
    short mf_fg, mf_bg;
    short mf_mask[16];
    short mf_data[16];
} GEMC_MFORM;

/* One recorded event, as appl_trecord writes and appl_tplay reads them: two
 * LONGs (pointer-wide here, as LONG is). The same layout as the layer's. */
typedef struct gemc_evnt_rec {
    long ap_event;
    long ap_value;
} GEMC_EVNTREC;

/* A message buffer handed to appl_write or appl_read: arrays of short, int or
 * long are read and written in their own width; any other pointer (void *, a
 * struct of WORDs) and an address kept in a LONG hold 16-bit words. */
#ifdef __cplusplus
}
template <class T>
inline GEMC_REF gemc_words_of(const T *p)
{
    const int size = std::is_integral<T>::value && sizeof(T) >= 2 ? (int)sizeof(T) : 2;
    GEMC_REF r = {(void *)p, size};
    return r;
}
inline GEMC_REF gemc_words_of(const void *p) { return GEMC_REF{(void *)p, 2}; }
inline GEMC_REF gemc_words_of(long address) { return GEMC_REF{(void *)address, 2}; }
inline GEMC_REF gemc_words_of(int zero) { return GEMC_REF{(void *)(long)zero, 2}; }
inline GEMC_REF gemc_words_of(decltype(nullptr)) { return GEMC_REF{0, 0}; }
#define GEMC_WORDS(x) gemc_words_of(x)
extern "C" {
#else
static inline GEMC_REF gemc_words_raw(const void *p)
{
    GEMC_REF r = {(void *)p, 2};
    return r;
}
static inline GEMC_REF gemc_words_addr(long address)
{
    GEMC_REF r = {(void *)address, 2};
    return r;
}
#define GEMC_WORDS(x)                                                                              \
    _Generic((x), short *: gemc_cref_s, const short *: gemc_cref_s,                                \
             unsigned short *: gemc_cref_us, const unsigned short *: gemc_cref_us,                 \
             int *: gemc_cref_i, const int *: gemc_cref_i, unsigned int *: gemc_cref_ui,           \
             const unsigned int *: gemc_cref_ui, long *: gemc_cref_l, const long *: gemc_cref_l,   \
             unsigned long *: gemc_cref_ul, const unsigned long *: gemc_cref_ul,                   \
             long: gemc_words_addr, int: gemc_words_addr, default: gemc_words_raw)(x)
#endif

/* The application: appl_init starts the layer (once) and returns the
 * application id, 0; gl_apid and gl_ap_version are set by it. The screen is
 * 640 x 480 unless the environment variable GEM_SCREEN names 320x200 or
 * 800x600. appl_exit shuts the layer down and returns, so the program goes
 * on to its own end. A program may define gl_apid and gl_ap_version itself
 * (as WORDs): the profile's are weak. */
extern short gl_apid;
extern short gl_ap_version; /* 0x0140 */
int gemc_appl_init(void);
int gemc_appl_exit(void);
int gemc_appl_write(int apid, int length, GEMC_REF buffer);
int gemc_appl_read(int apid, int length, GEMC_REF buffer);
int gemc_appl_search(int mode, char *name, GEMC_REF type, GEMC_REF apid);
int gemc_appl_getinfo(int type, GEMC_REF out1, GEMC_REF out2, GEMC_REF out3, GEMC_REF out4);
int gemc_appl_trecord(void *events, int count);
int gemc_appl_tplay(void *events, int count, int speed);
int appl_find(const char *name);

/* Events. Key codes are classic: scan code in the high byte, character in
 * the low. evnt_timer and evnt_multi take the time as two 16-bit halves
 * (locount, hicount) or, in the later headers' form, as one 32-bit count of
 * milliseconds: the number of arguments chooses. */
int gemc_evnt_keybd(void);
int gemc_evnt_button(int clicks, int mask, int state, GEMC_REF mx, GEMC_REF my, GEMC_REF button,
                     GEMC_REF kstate);
int gemc_evnt_mouse(int leave, int x, int y, int w, int h, GEMC_REF mx, GEMC_REF my,
                    GEMC_REF button, GEMC_REF kstate);
int gemc_evnt_timer(unsigned long ms);
int gemc_evnt_mesag(GEMC_REF msg);
int gemc_evnt_multi(int flags, int clicks, int mask, int state, int m1flag, int m1x, int m1y,
                    int m1w, int m1h, int m2flag, int m2x, int m2y, int m2w, int m2h, GEMC_REF msg,
                    unsigned long ms, GEMC_REF mx, GEMC_REF my, GEMC_REF button, GEMC_REF kstate,
                    GEMC_REF key, GEMC_REF clicks_out);
int evnt_dclick(int rate, int set);

/* The classic halves of a time: locount and hicount as unsigned words. */
#define GEMC_MS(lo, hi) (((unsigned long)(lo)&0xFFFFUL) | (((unsigned long)(hi)&0xFFFFUL) << 16))

/* graf: the workstation handle (non-zero: the visible screen), the mouse and
 * the interactive boxes. graf_mouse takes a GEMC_MFORM or a 37-word array. */
int gemc_graf_handle(GEMC_REF wchar, GEMC_REF hchar, GEMC_REF wbox, GEMC_REF hbox);
int gemc_graf_mkstate(GEMC_REF mx, GEMC_REF my, GEMC_REF button, GEMC_REF kstate);
int gemc_graf_mouse(int number, const void *form);
int gemc_graf_rubberbox(int x, int y, int minw, int minh, GEMC_REF w, GEMC_REF h);
int gemc_graf_dragbox(int w, int h, int x, int y, int bx, int by, int bw, int bh, GEMC_REF fx,
                      GEMC_REF fy);
int graf_growbox(int x, int y, int w, int h, int fx, int fy, int fw, int fh);
int graf_shrinkbox(int fx, int fy, int fw, int fh, int x, int y, int w, int h);
int graf_movebox(int w, int h, int x, int y, int dx, int dy);

/* Windows. wind_set takes LONGs, so that an address split into its high
 * part (`(long)p >> 16` or LHIWD) and its low word (`& 0xFFFF` or LLOWD) is
 * joined again for WF_NAME and WF_INFO. The high part must be kept in a
 * LONG: a split into two WORDs loses the upper half of a 64-bit address. */
int wind_create(int kind, int x, int y, int w, int h);
int wind_open(int whandle, int x, int y, int w, int h);
int wind_close(int whandle);
int wind_delete(int whandle);
int wind_new(void);
int wind_find(int x, int y);
int gemc_wind_update(int mode);
int gemc_wind_get(int whandle, int field, GEMC_REF a, GEMC_REF b, GEMC_REF c, GEMC_REF d);
int gemc_wind_set(int whandle, int field, long a, long b, long c, long d);
int wind_set_str(int whandle, int field, const char *text);
int wind_get_str(int whandle, int field, char *text); /* at most 128 bytes, the 0 included */
int gemc_wind_calc(int type, int kind, int x, int y, int w, int h, GEMC_REF x2, GEMC_REF y2,
                   GEMC_REF w2, GEMC_REF h2);
int gemc_wind_get_grect(int whandle, int field, struct grect *r);
int gemc_wind_set_grect(int whandle, int field, const struct grect *r);
int gemc_wind_calc_grect(int type, int kind, const struct grect *in, struct grect *out);

/* The shell and the clipboard: the layer's calls, the same in both
 * (shel_find, with classic paths, is with the GEMDOS calls). */
int shel_envrn(char **value, const char *name);
int shel_write(int doex, int isgr, int iscr, const char *command, const char *tail);
int shel_read(char *command, char *tail);
int scrp_read(char *path);
int scrp_write(const char *path);

#ifndef GEM_CLASSIC_IMPLEMENTATION
typedef GEMC_MFORM MFORM;
typedef GEMC_EVNTREC EVNTREC;

#define appl_init()                 gemc_appl_init()
#define appl_exit()                 gemc_appl_exit()
#define appl_write(id, len, buf)    gemc_appl_write(id, len, GEMC_WORDS(buf))
#define appl_read(id, len, buf)     gemc_appl_read(id, len, GEMC_WORDS(buf))
#define appl_search(m, name, t, id) gemc_appl_search(m, name, GEMC_REF(t), GEMC_REF(id))
#define appl_getinfo(t, a, b, c, d)                                                                \
    gemc_appl_getinfo(t, GEMC_REF(a), GEMC_REF(b), GEMC_REF(c), GEMC_REF(d))
#define appl_trecord(mem, n)      gemc_appl_trecord((void *)(mem), n)
#define appl_tplay(mem, n, scale) gemc_appl_tplay((void *)(mem), n, scale)

#define evnt_keybd() gemc_evnt_keybd()
#define evnt_button(n, m, s, x, y, b, k)                                                           \
    gemc_evnt_button(n, m, s, GEMC_REF(x), GEMC_REF(y), GEMC_REF(b), GEMC_REF(k))
#define evnt_mouse(f, rx, ry, rw, rh, x, y, b, k)                                                  \
    gemc_evnt_mouse(f, rx, ry, rw, rh, GEMC_REF(x), GEMC_REF(y), GEMC_REF(b), GEMC_REF(k))
#define evnt_mesag(msg) gemc_evnt_mesag(GEMC_REF(msg))

/* The form by the count of arguments: (locount, hicount) or (ms). */
#define GEMC_ARG3_(a1, a2, a3, ...) a3
#define GEMC_EVNT_TIMER2_(lo, hi)   gemc_evnt_timer(GEMC_MS(lo, hi))
#define GEMC_EVNT_TIMER1_(ms)       gemc_evnt_timer((unsigned long)(ms))
#define evnt_timer(...)                                                                            \
    GEMC_ARG3_(__VA_ARGS__, GEMC_EVNT_TIMER2_, GEMC_EVNT_TIMER1_, ~)(__VA_ARGS__)

/* evnt_multi: 23 arguments (locount, hicount) or 22 (one 32-bit count). */
#define GEMC_ARG24_(a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12, a13, a14, a15, a16, a17,    \
                    a18, a19, a20, a21, a22, a23, a24, ...)                                        \
    a24
#define GEMC_EVNT_MULTI23_(f, c, m, s, f1, x1, y1, w1, h1, f2, x2, y2, w2, h2, msg, lo, hi, x, y,  \
                           b, k, key, n)                                                           \
    gemc_evnt_multi(f, c, m, s, f1, x1, y1, w1, h1, f2, x2, y2, w2, h2, GEMC_REF(msg),             \
                    GEMC_MS(lo, hi), GEMC_REF(x), GEMC_REF(y), GEMC_REF(b), GEMC_REF(k),           \
                    GEMC_REF(key), GEMC_REF(n))
#define GEMC_EVNT_MULTI22_(f, c, m, s, f1, x1, y1, w1, h1, f2, x2, y2, w2, h2, msg, ms, x, y, b,   \
                           k, key, n)                                                              \
    gemc_evnt_multi(f, c, m, s, f1, x1, y1, w1, h1, f2, x2, y2, w2, h2, GEMC_REF(msg),             \
                    (unsigned long)(ms), GEMC_REF(x), GEMC_REF(y), GEMC_REF(b), GEMC_REF(k),       \
                    GEMC_REF(key), GEMC_REF(n))
#define evnt_multi(...)                                                                            \
    GEMC_ARG24_(__VA_ARGS__, GEMC_EVNT_MULTI23_, GEMC_EVNT_MULTI22_, ~)(__VA_ARGS__)

#define graf_handle(wc, hc, wb, hb)                                                                \
    gemc_graf_handle(GEMC_REF(wc), GEMC_REF(hc), GEMC_REF(wb), GEMC_REF(hb))
#define graf_mkstate(x, y, b, k)                                                                   \
    gemc_graf_mkstate(GEMC_REF(x), GEMC_REF(y), GEMC_REF(b), GEMC_REF(k))
#define graf_mouse(n, form) gemc_graf_mouse(n, form)
#define graf_rubberbox(x, y, mw, mh, w, h)                                                         \
    gemc_graf_rubberbox(x, y, mw, mh, GEMC_REF(w), GEMC_REF(h))
#define graf_rubbbox graf_rubberbox /* the older spelling */
#define graf_dragbox(w, h, x, y, bx, by, bw, bh, fx, fy)                                           \
    gemc_graf_dragbox(w, h, x, y, bx, by, bw, bh, GEMC_REF(fx), GEMC_REF(fy))

#define wind_update(mode) gemc_wind_update(mode)
#define wind_get(h, f, a, b, c, d)                                                                 \
    gemc_wind_get(h, f, GEMC_REF(a), GEMC_REF(b), GEMC_REF(c), GEMC_REF(d))
#define wind_set(h, f, a, b, c, d) gemc_wind_set(h, f, (long)(a), (long)(b), (long)(c), (long)(d))
#define wind_calc(t, k, x, y, w, h, x2, y2, w2, h2)                                                \
    gemc_wind_calc(t, k, x, y, w, h, GEMC_REF(x2), GEMC_REF(y2), GEMC_REF(w2), GEMC_REF(h2))
#define wind_get_grect(h, f, r)     gemc_wind_get_grect(h, f, r)
#define wind_set_grect(h, f, r)     gemc_wind_set_grect(h, f, r)
#define wind_calc_grect(t, k, i, o) gemc_wind_calc_grect(t, k, i, o)

/* evnt_multi bits */
#define MU_KEYBD  0x0001
#define MU_BUTTON 0x0002
#define MU_M1     0x0004
#define MU_M2     0x0008
#define MU_MESAG  0x0010
#define MU_TIMER  0x0020

/* Messages: word 0 the type, word 1 the sender, word 2 the length beyond
 * 16 bytes, then the type's own words. */
#define MN_SELECTED     10
#define WM_REDRAW       20
#define WM_TOPPED       21
#define WM_CLOSED       22
#define WM_FULLED       23
#define WM_ARROWED      24
#define WM_HSLID        25
#define WM_VSLID        26
#define WM_SIZED        27
#define WM_MOVED        28
#define WM_NEWTOP       29
#define WM_UNTOPPED     30
#define WM_ONTOP        31
#define WM_BOTTOMED     33
#define WM_ICONIFY      34
#define WM_UNICONIFY    35
#define WM_ALLICONIFY   36
#define AC_OPEN         40
#define AC_CLOSE        41
#define AP_TERM         50
#define AP_TFAIL        51
#define AP_RESCHG       57
#define SHUT_COMPLETED  60
#define RESCH_COMPLETED 61
#define AP_DRAGDROP     63

/* WM_ARROWED actions */
#define WA_UPPAGE 0
#define WA_DNPAGE 1
#define WA_UPLINE 2
#define WA_DNLINE 3
#define WA_LFPAGE 4
#define WA_RTPAGE 5
#define WA_LFLINE 6
#define WA_RTLINE 7

/* Window parts (wind_create, wind_calc) */
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
#define WF_RESVD     13
#define WF_NEWDESK   14
#define WF_HSLSIZE   15
#define WF_VSLSIZE   16
#define WF_SCREEN    17

/* wind_calc directions */
#define WC_BORDER 0
#define WC_WORK   1

/* wind_update modes; CHECK_MODE asks not to wait (there is never a wait) */
#define END_UPDATE 0
#define BEG_UPDATE 1
#define END_MCTRL  2
#define BEG_MCTRL  3
#define CHECK_MODE 0x100

/* graf_mouse shapes and requests */
#define ARROW       0
#define TEXT_CRSR   1
#define HOURGLASS   2
#define BUSYBEE     2
#define BUSY_BEE    2
#define POINT_HAND  3
#define FLAT_HAND   4
#define THIN_CROSS  5
#define THICK_CROSS 6
#define OUTLN_CROSS 7
#define USER_DEF    255
#define M_OFF       256
#define M_ON        257

/* Modifier keys (evnt_button, evnt_multi, graf_mkstate) */
#define K_RSHIFT 0x0001
#define K_LSHIFT 0x0002
#define K_CTRL   0x0004
#define K_ALT    0x0008
#endif

/* ---------------------------------------------------------------------------
 * VDI
 * ------------------------------------------------------------------------- */

/* Arrays handed in (corner lists, work_in, patterns, colour triples) and
 * values handed back (work_out, attribute words, extents, handles) go
 * through GEMC_CREF and GEMC_REF: WORD and int arrays both work. The layer
 * keeps one set of attributes and one clip rectangle for every handle. */

/* Workstations: v_opnwk and v_opnvwk start the attributes over from
 * work_in (11 words), write the handle (1 to 3, never 0: the visible
 * screen) and 57 words of work_out. */
void gemc_v_opnwk(GEMC_REF work_in, GEMC_REF handle_out, GEMC_REF work_out);
void gemc_v_opnvwk(GEMC_REF work_in, GEMC_REF handle_io, GEMC_REF work_out);
void gemc_v_clsvwk(int h);
void gemc_vq_extnd(int h, int extended, GEMC_REF work_out);
void gemc_vs_clip(int h, int flag, GEMC_REF pxy); /* corners in any order */
void gemc_vs_color(int h, int index, GEMC_REF rgb);
int gemc_vq_color(int h, int index, int set_flag, GEMC_REF rgb);
int gemc_vst_effects(int h, int effects); /* THICKENED to UNDERLINED; others dropped */
int gemc_vst_font(int h, int font_id);    /* a face by its id; returns the id set */
/* The timer hook: `routine` runs every *tim_conv (20) milliseconds in place
 * of the one installed before, which *old receives (a routine that does
 * nothing when there was none, so that chaining to it is always safe). */
void gemc_vex_timv(int h, void (*routine)(void), void (**old)(void), GEMC_REF tim_conv);
/* The pointer shape: hot spot x and y, planes, mask and data colour, 16
 * mask words and 16 data words. */
void gemc_vsc_form(int h, GEMC_REF form);

/* Drawing: v_pline keeps to the clip rectangle, as every call here does. */
void gemc_v_pline(int h, int count, GEMC_REF pxy);
void gemc_v_pmarker(int h, int count, GEMC_REF pxy);
void gemc_v_fillarea(int h, int count, GEMC_REF pxy);
void gemc_v_bar(int h, GEMC_REF pxy);
void gemc_vr_recfl(int h, GEMC_REF pxy);
void gemc_v_rbox(int h, GEMC_REF pxy);
void gemc_v_rfbox(int h, GEMC_REF pxy);
void gemc_vsf_udpat(int h, GEMC_REF pattern, int planes);
void gemc_v_get_pixel(int h, int x, int y, GEMC_REF pel, GEMC_REF index);
/* Raster copies take the 16 classic logic operations (ALL_WHITE to
 * ALL_BLACK) on the pixel values, inverting as MD_XOR does (bit 0: colours
 * 0 and 1 swap); ALL_BLACK gives colour 1. A screen form (null address)
 * needs no size. */
void gemc_vro_cpyfm(int h, int mode, GEMC_REF pxy, const struct fdbstr *src,
                    const struct fdbstr *dst);
void gemc_vrt_cpyfm(int h, int mode, GEMC_REF pxy, const struct fdbstr *src,
                    const struct fdbstr *dst, GEMC_REF colors);

/* Attribute queries and text sizes */
void gemc_vql_attributes(int h, GEMC_REF attrib);
void gemc_vqf_attributes(int h, GEMC_REF attrib);
void gemc_vqm_attributes(int h, GEMC_REF attrib);
void gemc_vqt_attributes(int h, GEMC_REF attrib); /* word 0: the face's id */
void gemc_vst_alignment(int h, int hor, int vert, GEMC_REF hor_out, GEMC_REF vert_out);
int gemc_vst_height(int h, int height, GEMC_REF char_w, GEMC_REF char_h, GEMC_REF cell_w,
                    GEMC_REF cell_h);
int gemc_vst_point(int h, int point, GEMC_REF char_w, GEMC_REF char_h, GEMC_REF cell_w,
                   GEMC_REF cell_h);
void gemc_vqt_extent(int h, const char *string, GEMC_REF extent);
int gemc_vqt_width(int h, int character, GEMC_REF advance, GEMC_REF left, GEMC_REF right);
/* First and last character, the five distances (bottom, descent, half,
 * ascent, top), the widest cell and the three effect widths. */
void gemc_vqt_fontinfo(int h, GEMC_REF min_ade, GEMC_REF max_ade, GEMC_REF distances,
                       GEMC_REF max_width, GEMC_REF effects);

/* Input and the text cursor */
void gemc_vq_mouse(int h, GEMC_REF buttons, GEMC_REF x, GEMC_REF y);
void gemc_vq_key_s(int h, GEMC_REF state);
void gemc_vq_chcells(int h, GEMC_REF rows, GEMC_REF columns);
void gemc_vq_curaddress(int h, GEMC_REF row, GEMC_REF column);

#ifndef GEM_CLASSIC_IMPLEMENTATION
#define v_opnwk(in, h, out)    gemc_v_opnwk(GEMC_CREF(in), GEMC_REF(h), GEMC_REF(out))
#define v_opnvwk(in, h, out)   gemc_v_opnvwk(GEMC_CREF(in), GEMC_REF(h), GEMC_REF(out))
#define v_clsvwk(h)            gemc_v_clsvwk(h)
#define vq_extnd(h, e, out)    gemc_vq_extnd(h, e, GEMC_REF(out))
#define vs_clip(h, f, pxy)     gemc_vs_clip(h, f, GEMC_CREF(pxy))
#define vs_color(h, i, rgb)    gemc_vs_color(h, i, GEMC_CREF(rgb))
#define vq_color(h, i, f, rgb) gemc_vq_color(h, i, f, GEMC_REF(rgb))
#define vst_effects(h, e)      gemc_vst_effects(h, e)
#define vst_font(h, id)        gemc_vst_font(h, id)
#define vex_timv(h, routine, old, conv)                                                            \
    gemc_vex_timv(h, (void (*)(void))(routine), (void (**)(void))(old), GEMC_REF(conv))
#define vsc_form(h, form) gemc_vsc_form(h, GEMC_CREF(form))

#define v_pline(h, n, pxy)                gemc_v_pline(h, n, GEMC_CREF(pxy))
#define v_pmarker(h, n, pxy)              gemc_v_pmarker(h, n, GEMC_CREF(pxy))
#define v_fillarea(h, n, pxy)             gemc_v_fillarea(h, n, GEMC_CREF(pxy))
#define v_bar(h, pxy)                     gemc_v_bar(h, GEMC_CREF(pxy))
#define vr_recfl(h, pxy)                  gemc_vr_recfl(h, GEMC_CREF(pxy))
#define v_rbox(h, pxy)                    gemc_v_rbox(h, GEMC_CREF(pxy))
#define v_rfbox(h, pxy)                   gemc_v_rfbox(h, GEMC_CREF(pxy))
#define vsf_udpat(h, pat, n)              gemc_vsf_udpat(h, GEMC_CREF(pat), n)
#define v_get_pixel(h, x, y, pel, index)  gemc_v_get_pixel(h, x, y, GEMC_REF(pel), GEMC_REF(index))
#define vro_cpyfm(h, mode, pxy, src, dst) gemc_vro_cpyfm(h, mode, GEMC_CREF(pxy), src, dst)
#define vrt_cpyfm(h, mode, pxy, src, dst, colors)                                                  \
    gemc_vrt_cpyfm(h, mode, GEMC_CREF(pxy), src, dst, GEMC_CREF(colors))

#define vql_attributes(h, a) gemc_vql_attributes(h, GEMC_REF(a))
#define vqf_attributes(h, a) gemc_vqf_attributes(h, GEMC_REF(a))
#define vqm_attributes(h, a) gemc_vqm_attributes(h, GEMC_REF(a))
#define vqt_attributes(h, a) gemc_vqt_attributes(h, GEMC_REF(a))
#define vst_alignment(h, hor, vert, ho, vo)                                                        \
    gemc_vst_alignment(h, hor, vert, GEMC_REF(ho), GEMC_REF(vo))
#define vst_height(h, height, cw, ch, bw, bh)                                                      \
    gemc_vst_height(h, height, GEMC_REF(cw), GEMC_REF(ch), GEMC_REF(bw), GEMC_REF(bh))
#define vst_point(h, point, cw, ch, bw, bh)                                                        \
    gemc_vst_point(h, point, GEMC_REF(cw), GEMC_REF(ch), GEMC_REF(bw), GEMC_REF(bh))
#define vqt_extent(h, s, ext)      gemc_vqt_extent(h, s, GEMC_REF(ext))
#define vqt_width(h, c, adv, l, r) gemc_vqt_width(h, c, GEMC_REF(adv), GEMC_REF(l), GEMC_REF(r))
#define vqt_fontinfo(h, lo, hi, dist, wmax, eff)                                                   \
    gemc_vqt_fontinfo(h, GEMC_REF(lo), GEMC_REF(hi), GEMC_REF(dist), GEMC_REF(wmax), GEMC_REF(eff))

#define vq_mouse(h, b, x, y)   gemc_vq_mouse(h, GEMC_REF(b), GEMC_REF(x), GEMC_REF(y))
#define vq_key_s(h, s)         gemc_vq_key_s(h, GEMC_REF(s))
#define vq_chcells(h, r, c)    gemc_vq_chcells(h, GEMC_REF(r), GEMC_REF(c))
#define vq_curaddress(h, r, c) gemc_vq_curaddress(h, GEMC_REF(r), GEMC_REF(c))

/* The calls whose classic form is the layer's own */
void v_clswk(int h);
void v_updwk(int h);
void v_clrwk(int h);
int vq_gdos(void);
int vst_load_fonts(int h, int select);
void vst_unload_fonts(int h, int select);
int vqt_name(int h, int number, char *name); /* name: 33 bytes; returns the face's id */
void v_hide_c(int h);
void v_show_c(int h, int reset);
int vswr_mode(int h, int mode);
int vsl_color(int h, int color);
int vsl_type(int h, int type);
void vsl_udsty(int h, int pattern);
int vsl_width(int h, int width);
void vsl_ends(int h, int begin, int end);
int vsm_type(int h, int type);
int vsm_height(int h, int height);
int vsm_color(int h, int color);
int vsf_color(int h, int color);
int vsf_interior(int h, int interior);
int vsf_style(int h, int style);
int vsf_perimeter(int h, int on);
int vst_color(int h, int color);
int vst_rotation(int h, int angle);
void v_gtext(int h, int x, int y, const char *string);
void v_justified(int h, int x, int y, const char *string, int length, int word_space,
                 int char_space);
void v_circle(int h, int x, int y, int radius);
void v_ellipse(int h, int x, int y, int xradius, int yradius);
void v_arc(int h, int x, int y, int radius, int begin, int end);
void v_ellarc(int h, int x, int y, int xradius, int yradius, int begin, int end);
void v_pieslice(int h, int x, int y, int radius, int begin, int end);
void v_ellpie(int h, int x, int y, int xradius, int yradius, int begin, int end);
void v_contourfill(int h, int x, int y, int color);
void vr_trnfm(int h, const MFDB *src, MFDB *dst);
void v_enter_cur(int h);
void v_exit_cur(int h);
void v_curtext(int h, const char *string);
void vs_curaddress(int h, int row, int column);
void v_curup(int h);
void v_curdown(int h);
void v_curright(int h);
void v_curleft(int h);
void v_curhome(int h);
void v_dspcur(int h, int x, int y);
void v_rmcur(int h);
void v_eeol(int h);
void v_eeos(int h);

/* Writing modes */
#define MD_REPLACE 1
#define MD_TRANS   2
#define MD_XOR     3
#define MD_ERASE   4

/* Fill interiors */
#define FIS_HOLLOW  0
#define FIS_SOLID   1
#define FIS_PATTERN 2
#define FIS_HATCH   3
#define FIS_USER    4

/* Line types and line ends */
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

/* Text alignment, and the names some sources use for it */
#define TA_LEFT     0
#define TA_CENTER   1
#define TA_RIGHT    2
#define TA_BASE     0
#define TA_HALF     1
#define TA_ASCENT   2
#define TA_BOTTOM   3
#define TA_DESCENT  4
#define TA_TOP      5
#define ALI_LEFT    TA_LEFT
#define ALI_CENTER  TA_CENTER
#define ALI_RIGHT   TA_RIGHT
#define ALI_BASE    TA_BASE
#define ALI_HALF    TA_HALF
#define ALI_ASCENT  TA_ASCENT
#define ALI_BOTTOM  TA_BOTTOM
#define ALI_DESCENT TA_DESCENT
#define ALI_TOP     TA_TOP

/* Text effects the screen draws */
#define THICKENED  0x01
#define LIGHT      0x02
#define SKEWED     0x04
#define UNDERLINED 0x08

/* Raster copy logic operations (source S, destination D) */
#define ALL_WHITE  0
#define S_AND_D    1
#define S_AND_NOTD 2
#define S_ONLY     3
#define NOTS_AND_D 4
#define D_ONLY     5
#define S_XOR_D    6
#define S_OR_D     7
#define NOT_SORD   8
#define NOT_SXORD  9
#define D_INVERT   10
#define S_OR_NOTD  11
#define NOTS       12
#define NOTS_OR_D  13
#define NOT_SANDD  14
#define ALL_BLACK  15
#endif

/* ---------------------------------------------------------------------------
 * Operating system: GEMDOS, BIOS, XBIOS
 * ------------------------------------------------------------------------- */

/* GEMDOS and BIOS results: 0 or more for success, these for failure. The
 * out-of-range code is only GEMC_ERANGE: the classic name ERANGE is the C
 * library's own (<errno.h>) and would change value with the include order. */
#define GEMC_E_OK   0
#define GEMC_ERROR  (-1)
#define GEMC_EUNDEV (-15) /* no such device */
#define GEMC_EINVFN (-32) /* a mode the call does not know */
#define GEMC_EFILNF (-33) /* file not found */
#define GEMC_EPTHNF (-34) /* path not found */
#define GEMC_ENHNDL (-35) /* no handle left */
#define GEMC_EACCDN (-36) /* access denied */
#define GEMC_EIHNDL (-37) /* not an open handle */
#define GEMC_ENSMEM (-39) /* not enough memory */
#define GEMC_EIMBA  (-40) /* not a block Malloc gave */
#define GEMC_EDRIVE (-46) /* no such drive */
#define GEMC_ENMFIL (-49) /* no more files */
#define GEMC_ERANGE (-64) /* out of range: a seek, a count, a path too long */
#define GEMC_EGSBF  (-67) /* Mshrink cannot grow a block */

/* The disk transfer area Fsfirst and Fsnext fill: the classic 44 bytes.
 * d_length is 32 bits at offset 26, so the record is packed; d_reserved
 * holds the search Fsnext goes on with. */
typedef struct __attribute__((packed)) gemc_dta {
    char d_reserved[21];
    char d_attrib;
    unsigned short d_time; /* hour << 11 | minute << 5 | second / 2 */
    unsigned short d_date; /* (year - 1980) << 9 | month << 5 | day */
    int32_t d_length;      /* saturated at 0x7FFFFFFF */
    char d_fname[14];
} GEMC_DTA;

typedef struct gemc_diskinfo {
    long b_free, b_total; /* clusters, saturated at 0x7FFFFFFF */
    long b_secsiz;        /* bytes a sector */
    long b_clsiz;         /* sectors a cluster */
} GEMC_DISKINFO;

/* Files. Paths are classic ("C:\DIR\FILE.TXT", or relative to Dsetpath's
 * directory), at most 127 characters; C: is the only drive and is the Linux
 * root. Handles 0, 1 and 2 are the process's standard input, output and
 * error; the files opened get 6 and up. */
long gemc_Fopen(const char *name, int mode); /* 0 read, 1 write, 2 both */
long gemc_Fcreate(const char *name, int attr);
long gemc_Fread(int fh, long count, void *buf);
long gemc_Fwrite(int fh, long count, const void *buf);
long gemc_Fclose(int fh);
long gemc_Fseek(long offset, int fh, int mode); /* 0 start, 1 here, 2 end */
long gemc_Fdelete(const char *name);
long gemc_Frename(int zero, const char *oldname, const char *newname);
long gemc_Fattrib(const char *name, int set, int attr);

/* Directories and searches */
void gemc_Fsetdta(GEMC_DTA *dta);
GEMC_DTA *gemc_Fgetdta(void);
long gemc_Fsfirst(const char *pattern, int attr);
long gemc_Fsnext(void);
long gemc_Dgetdrv(void);
long gemc_Dsetdrv(int drive);             /* the map of drives: C: alone */
long gemc_Dgetpath(char *buf, int drive); /* buf: 128 bytes; "" at the root */
long gemc_Dsetpath(const char *path);
long gemc_Dcreate(const char *path);
long gemc_Ddelete(const char *path);
long gemc_Dfree(GEMC_DISKINFO *buf, int drive);

/* Clock, memory, processes */
long gemc_Tgetdate(void);
long gemc_Tgettime(void);
long gemc_Tsetdate(int date); /* refused: GEMC_EACCDN */
long gemc_Tsettime(int time); /* refused: GEMC_EACCDN */
long gemc_Malloc(long size);  /* -1: the largest block Malloc gives */
long gemc_Mfree(void *block);
long gemc_Mshrink(void *block, long size);
long gemc_Super(long stack);
long gemc_Supexec(long (*routine)(void));
__attribute__((noreturn)) void gemc_Pterm(int code);

/* The console: keys from the GEM keyboard once appl_init has run (from the
 * terminal before), characters out to standard output. */
long gemc_Cconin(void);
long gemc_Crawcin(void);
long gemc_Cnecin(void);
long gemc_Cconis(void);
long gemc_Cconout(int c);
long gemc_Cconws(const char *text);
long gemc_Bconin(int device);
long gemc_Bconout(int device, int c);
long gemc_Bconstat(int device);
void gemc_Vsync(void);
long gemc_Random(void);
long gemc_Kbshift(int mode);

/* The file selector and shel_find with classic paths: a path buffer of 128
 * bytes, a file name buffer of 13. */
int gemc_fsel_input(char *path, char *file, GEMC_REF button);
int gemc_fsel_exinput(char *path, char *file, GEMC_REF button, const char *title);
int gemc_shel_find(char *path);

#ifndef GEM_CLASSIC_IMPLEMENTATION
typedef GEMC_DTA DTA, _DTA;
typedef GEMC_DISKINFO DISKINFO, _DISKINFO;

#define E_OK   GEMC_E_OK
#define ERROR  GEMC_ERROR
#define EUNDEV GEMC_EUNDEV
#define EINVFN GEMC_EINVFN
#define EFILNF GEMC_EFILNF
#define EPTHNF GEMC_EPTHNF
#define ENHNDL GEMC_ENHNDL
#define EACCDN GEMC_EACCDN
#define EIHNDL GEMC_EIHNDL
#define ENSMEM GEMC_ENSMEM
#define EIMBA  GEMC_EIMBA
#define EDRIVE GEMC_EDRIVE
#define ENMFIL GEMC_ENMFIL
#define EGSBF  GEMC_EGSBF

#define FA_READONLY 0x01
#define FA_HIDDEN   0x02
#define FA_SYSTEM   0x04
#define FA_VOLUME   0x08
#define FA_SUBDIR   0x10
#define FA_ARCHIVE  0x20

#define Fopen(n, m)              gemc_Fopen((n), (m))
#define Fcreate(n, a)            gemc_Fcreate((n), (a))
#define Fread(h, c, b)           gemc_Fread((h), (c), (void *)(b))
#define Fwrite(h, c, b)          gemc_Fwrite((h), (c), (const void *)(b))
#define Fclose(h)                gemc_Fclose(h)
#define Fseek(o, h, m)           gemc_Fseek((o), (h), (m))
#define Fdelete(n)               gemc_Fdelete(n)
#define Frename(z, o, n)         gemc_Frename((z), (o), (n))
#define Fattrib(n, f, a)         gemc_Fattrib((n), (f), (a))
#define Fsetdta(d)               gemc_Fsetdta((GEMC_DTA *)(d))
#define Fgetdta()                gemc_Fgetdta()
#define Fsfirst(p, a)            gemc_Fsfirst((p), (a))
#define Fsnext()                 gemc_Fsnext()
#define Dgetdrv()                gemc_Dgetdrv()
#define Dsetdrv(d)               gemc_Dsetdrv(d)
#define Dgetpath(b, d)           gemc_Dgetpath((b), (d))
#define Dsetpath(p)              gemc_Dsetpath(p)
#define Dcreate(p)               gemc_Dcreate(p)
#define Ddelete(p)               gemc_Ddelete(p)
#define Dfree(b, d)              gemc_Dfree((b), (d))
#define Tgetdate()               gemc_Tgetdate()
#define Tgettime()               gemc_Tgettime()
#define Tsetdate(d)              gemc_Tsetdate(d)
#define Tsettime(t)              gemc_Tsettime(t)
#define Malloc(n)                gemc_Malloc(n)
#define Mfree(b)                 gemc_Mfree((void *)(b))
#define Mshrink(z, b, n)         gemc_Mshrink((void *)(b), (n))
#define Super(s)                 gemc_Super((long)(s))
#define Supexec(r)               gemc_Supexec((long (*)(void))(r))
#define Pterm0()                 gemc_Pterm(0)
#define Pterm(c)                 gemc_Pterm(c)
#define Cconin()                 gemc_Cconin()
#define Crawcin()                gemc_Crawcin()
#define Cnecin()                 gemc_Cnecin()
#define Cconis()                 gemc_Cconis()
#define Cconout(c)               gemc_Cconout(c)
#define Cconws(s)                gemc_Cconws(s)
#define Bconin(d)                gemc_Bconin(d)
#define Bconout(d, c)            gemc_Bconout((d), (c))
#define Bconstat(d)              gemc_Bconstat(d)
#define Vsync()                  gemc_Vsync()
#define Random()                 gemc_Random()
#define Kbshift(m)               gemc_Kbshift(m)
#define fsel_input(p, f, b)      gemc_fsel_input((p), (f), GEMC_REF(b))
#define fsel_exinput(p, f, b, t) gemc_fsel_exinput((p), (f), GEMC_REF(b), (t))
#define shel_find(p)             gemc_shel_find(p)
#endif

/* ---- XBIOS: screen ---------------------------------------------------------
 * Resolution codes are the classic ones: 0 is 320 x 200 (ST low); 2, ST
 * high, stands for the square-pixel modes with the tall font, 640 x 480 and
 * 800 x 600. Colours are ST/STE palette words 0x0RGB: three bits a gun, or
 * four with the STE's lowest bit in bit 3 of each nibble. */
int gemc_Getrez(void);
void gemc_Setscreen(long logical, long physical, int rez);
void *gemc_Physbase(void);
void *gemc_Logbase(void);
int gemc_Setcolor(int reg, int colour);
void gemc_Setpalette(GEMC_REF palette);

#ifndef GEM_CLASSIC_IMPLEMENTATION
#define Getrez()                  gemc_Getrez()
#define Setscreen(log, phys, rez) gemc_Setscreen((long)(log), (long)(phys), rez)
#define Physbase()                gemc_Physbase()
#define Logbase()                 gemc_Logbase()
#define Setcolor(reg, colour)     gemc_Setcolor(reg, colour)
#define Setpalette(palette)       gemc_Setpalette(GEMC_CREF(palette))
#endif

#ifdef __cplusplus
}
#endif

#endif /* GEM_CLASSIC_CLASSIC_H */
