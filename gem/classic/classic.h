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
