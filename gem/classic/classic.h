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
