// The font list's private side: what fonts.cpp and text.cpp share beyond
// the globals of internal.h.
#pragma once

#include "gem/internal.h"

// Size of the fixed header at the start of every font image.
constexpr long kFontHeaderSize = 88;

// A registered font's offset table and font form, at their native addresses.
// The header's 32-bit slots cannot hold a pointer on this platform, so the
// list keeps them here, index = font number, beside _sysfonts.
struct FontPlace {
    const short *offsets;       // last_ade - first_ade + 2 entries
    const unsigned char *form;  // form_height rows of form_width bytes
    bool from_folder;           // added by vst_load_fonts, removed by vst_unload_fonts
};

const FontPlace &font_place(int number);

// Marks font `number` as one vst_load_fonts added; the mark moves with the
// font when the list is renumbered.
void font_mark_from_folder(int number);

// Whether `image` is a font image the layer can register and draw safely:
// the header, offset table and form lie within `length` bytes (a negative
// length: unknown, the caller vouches for the memory), first_ade <= last_ade,
// the form has rows and bytes, and the offsets start at 0 or later, never
// decrease and end within the form's width. Reads either byte order; changes
// nothing.
bool font_image_ok(const void *image, long length);

// Check and register an image of `length` bytes (negative: unknown).
// Returns the new font number, or -1 if the list is full or the image is
// damaged; nothing is registered then.
int font_register(void *image, long length);
