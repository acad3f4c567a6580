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

#ifdef __cplusplus
}
#endif

#endif /* GEM_CLASSIC_CLASSIC_H */
