// pcx2spr: cuts a sprite out of a PCX picture and writes a sprite file.
//
// Sprite file: size byte (low 6 bits the side a), palette length P, P RGB
// triples, then two blocks of 6a rows of a bytes (the picture's columns
// 0..a-1 and a..2a-1), each byte a PCX colour index.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "gem/gem.h"

constexpr int MAX_SIDE = 24;  // the sprite buffer holds 12 x 24^2 bytes
constexpr int SPRITE_BYTES = 12 * MAX_SIDE * MAX_SIDE;
constexpr int PALETTE_ENTRIES = 240;  // PCX colours 0..239 land on 16..255
// The picture's full path: a selector path of up to 255 characters, a file
// name of up to 127 and the NUL.
constexpr size_t PATH_BYTES = 384;
// The longest line a header can ask for (xmax 32767), a run past its end
// (at most 62 bytes) and the repeat of the line to its right.
constexpr size_t LINE_BYTES = 2 * 32768 + 64;

extern char spritename[14];
extern MFDB display, behind;
extern short fudge[8];
extern unsigned char palette[PALETTE_ENTRIES * 3];
extern unsigned char sprite[SPRITE_BYTES];
extern unsigned char size;
extern short pallength;
extern short vrez;
extern char dirname[PATH_BYTES];
extern char selfile[128];
extern FILE *fp;

// The size byte for a picture: the number at the start of its file name (as
// atoi reads it) cut to 8 bits. `name` may be a path; its base name counts.
unsigned char size_from_name(const char *name);
inline int side_of(unsigned char s) { return s & 63; }

// Decodes one run-length encoded line from `fp` into p, colours shifted by
// 16. Returns how many bytes of p it wrote (runs are written in full, and a
// line narrower than 2a is repeated to its right).
int ReadPcxLine(unsigned char *p, int hrez);

// Picture `dirname` into the logical screen and the palette, then shown on
// the visible screen. Returns null, or why the picture was refused.
const char *loadpcx(void);

// The two vro_cpyfm copies of the sprite's columns into `sprite`.
void cut_sprite(void);

// The sprite file's bytes: the size byte, the palette and the cut sprite.
std::vector<unsigned char> sprite_file_bytes(void);

// Writes the sprite file to `path` through a temporary file renamed over it
// when complete. Returns null, or why it could not be written.
const char *write_sprite(const char *path);

// The alert that tells why nothing was written: the headline, the file's
// base name and the reason, each line kept to what an alert shows.
std::string failure_alert(const char *headline, const char *file, const char *reason);

// The interactive flow: file selector, picture, cut, name box, file.
void load_sprite(void);
void save_sprite(void);

// Converts one picture to `output` on the screen the layer has open: the
// side from the picture's name, decoding, cutting and writing. Returns null,
// or why nothing was written.
const char *convert_picture(const char *picture, const char *output);

// The same conversion of a picture's bytes, `size_byte` standing for the
// number its name would start with: the sprite file's bytes in
// `sprite_file`. Returns null, or why the picture was refused.
const char *convert_pcx(unsigned char size_byte, const unsigned char *pcx, size_t length,
                        std::vector<unsigned char> &sprite_file);

// Batch conversion without a display; returns the exit status.
int convert_batch(const char *picture, const char *output);
