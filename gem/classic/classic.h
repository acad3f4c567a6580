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

/* ---------------------------------------------------------------------------
 * AES: applications, events, windows, graf_handle, the shell
 * ------------------------------------------------------------------------- */

#ifndef GEM_CLASSIC_IMPLEMENTATION
/* The layer keeps a workstation handle of its own under the name `handle`,
 * and classic programs often name theirs so, in any width. The program's
 * is renamed, so the two never share storage. */
#define handle gemc_program_handle
#endif

/* ---------------------------------------------------------------------------
 * VDI
 * ------------------------------------------------------------------------- */

/* ---------------------------------------------------------------------------
 * Operating system: GEMDOS, BIOS, XBIOS
 * ------------------------------------------------------------------------- */

#ifdef __cplusplus
}
#endif

#endif /* GEM_CLASSIC_CLASSIC_H */
