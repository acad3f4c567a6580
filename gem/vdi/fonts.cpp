// The font list: registering font images from memory or files, fixing them
// up, selecting the current font and unloading fonts.
//
// A font image is the 88-byte GFONT header, the character offset table and
// the font form. Registration checks the image first, so that text output
// can trust every offset it reads.
#include <stddef.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <array>

#include "gem/vdi/fontlist.h"

GFONT *_sysfonts[8];
short _no_of_fonts = 0;
GFONT *_font = NULL;
short _fontno = 0;

namespace {

// The header's fields lie where every font image has them.
static_assert(sizeof(GFONT) == kFontHeaderSize, "GFONT is the 88-byte header");
static_assert(offsetof(GFONT, name) == 4 && offsetof(GFONT, first_ade) == 36 &&
                  offsetof(GFONT, max_char_width) == 50 && offsetof(GFONT, flags) == 66 &&
                  offsetof(GFONT, hoff_base) == 68 && offsetof(GFONT, coff_base) == 72 &&
                  offsetof(GFONT, form_base) == 76 && offsetof(GFONT, form_width) == 80 &&
                  offsetof(GFONT, form_height) == 82 && offsetof(GFONT, next_font) == 84,
              "GFONT field offsets");

constexpr int kMaxFonts = 8;
constexpr short kByteOrderMark = 0x0400;
constexpr long kMaxFileLength = 32767;

std::array<FontPlace, kMaxFonts> places;

unsigned char *bytes(GFONT *font) { return reinterpret_cast<unsigned char *>(font); }

// Reads 16-bit values of an image that may be stored high byte first.
struct ImageReader {
    const unsigned char *image;
    bool swapped;

    short at(long offset) const
    {
        unsigned short v;
        memcpy(&v, image + offset, 2);
        if (swapped)
            v = (unsigned short)(v << 8 | v >> 8);
        return (short)v;
    }
};

// Offset table entries of an image: last_ade - first_ade + 2.
long table_entries(short first_ade, short last_ade) { return (long)last_ade - first_ade + 2; }

// The `next_font` slot cannot hold an address; it holds the number of the
// font registered after this one, 0 for the last (font 0 is never a
// successor). Rebuilt after every change to the list.
void link_fonts()
{
    for (int n = 0; n < _no_of_fonts; n++)
        _sysfonts[n]->next_font = n + 1 < _no_of_fonts ? n + 1 : 0;
}

}  // namespace

const FontPlace &font_place(int number) { return places[number]; }

void font_mark_from_folder(int number)
{
    if (number >= 0 && number < _no_of_fonts)
        places[number].from_folder = true;
}

bool font_image_ok(const void *image, long length)
{
    if (!image || (length >= 0 && length < kFontHeaderSize))
        return false;
    const unsigned char *p = static_cast<const unsigned char *>(image);
    unsigned short flags;
    memcpy(&flags, p + offsetof(GFONT, flags), 2);
    ImageReader in{p, (flags & kByteOrderMark) != 0};

    short first = in.at(offsetof(GFONT, first_ade));
    short last = in.at(offsetof(GFONT, last_ade));
    short form_width = in.at(offsetof(GFONT, form_width));
    short form_height = in.at(offsetof(GFONT, form_height));
    if (first > last || form_width <= 0 || form_height <= 0)
        return false;

    long entries = table_entries(first, last);
    long form_start = kFontHeaderSize + 2 * entries;
    if (length >= 0 && form_start + (long)form_width * form_height > length)
        return false;

    long form_bits = 8L * form_width;
    long previous = 0;
    for (long n = 0; n < entries; n++) {
        long offset = in.at(kFontHeaderSize + 2 * n);
        if (offset < previous || offset > form_bits)
            return false;
        previous = offset;
    }
    return true;
}

void _undumb(short *value)
{
    unsigned short v = (unsigned short)*value;
    *value = (short)(v << 8 | v >> 8);
}

void _fontfix(int number)
{
    GFONT *font = _sysfonts[number];
    short *offsets = reinterpret_cast<short *>(bytes(font) + kFontHeaderSize);
    font->coff_base = kFontHeaderSize;

    if (font->flags & kByteOrderMark) {
        _undumb(&font->font_id);
        _undumb(&font->size);
        // The sixteen values from first_ade to flags lie side by side.
        for (size_t at = offsetof(GFONT, first_ade); at <= offsetof(GFONT, flags); at += 2)
            _undumb(reinterpret_cast<short *>(bytes(font) + at));
        _undumb(&font->form_width);
        _undumb(&font->form_height);
        long entries = table_entries(font->first_ade, font->last_ade);
        for (long n = 0; n < entries; n++)
            _undumb(&offsets[n]);
    }

    // The header's slots keep byte offsets from the image start, the way the
    // built-in images store them; the list keeps the native addresses.
    long entries = table_entries(font->first_ade, font->last_ade);
    font->form_base = (int32_t)(kFontHeaderSize + 2 * entries);
    places[number] = FontPlace{offsets, bytes(font) + font->form_base, false};
}

int font_register(void *image, long length)
{
    if (_no_of_fonts >= kMaxFonts || !font_image_ok(image, length))
        return -1;
    int number = _no_of_fonts;
    _sysfonts[number] = static_cast<GFONT *>(image);
    _fontfix(number);
    _no_of_fonts++;
    link_fonts();
    return number;
}

int vst_user_font(int handle, void *font)
{
    (void)handle;
    return font_register(font, -1);
}

int vst_load_font(int handle, const char *filename)
{
    (void)handle;
    if (_no_of_fonts >= kMaxFonts || !filename)
        return -1;
    FILE *file = fopen(filename, "rb");
    if (!file)
        return -1;
    long length = -1;
    if (fseek(file, 0, SEEK_END) == 0)
        length = ftell(file);
    if (length < kFontHeaderSize || length > kMaxFileLength || fseek(file, 0, SEEK_SET) != 0) {
        fclose(file);
        return -1;
    }
    void *block = malloc((size_t)length);
    if (!block) {
        fclose(file);
        return -1;
    }
    size_t got = fread(block, 1, (size_t)length, file);
    fclose(file);
    int number = got == (size_t)length ? font_register(block, length) : -1;
    if (number < 0)
        free(block);
    return number;
}

int vst_unload_font(int handle, int number)
{
    if (number < 3 || number >= _no_of_fonts)
        return 0;
    free(_sysfonts[number]);
    _no_of_fonts--;
    for (int n = number; n < _no_of_fonts; n++) {
        _sysfonts[n] = _sysfonts[n + 1];
        places[n] = places[n + 1];
    }
    _sysfonts[_no_of_fonts] = NULL;
    places[_no_of_fonts] = FontPlace{};
    link_fonts();

    if (_fontno >= number) {
        _fontno = _fontno == 3 ? 0 : (short)(_fontno - 1);
        vst_font(handle, _fontno);
    }
    return _no_of_fonts;
}

int vst_font(int handle, int number)
{
    (void)handle;
    if (number < 0 || number >= _no_of_fonts)
        number = 0;
    _font = _sysfonts[number];
    _fontno = (short)number;
    return number;
}
