// Fuzzing font image checks, registration and text output.
//
// Input: 8 bytes of drawing parameters (effects, x, y, the clip column, the
// text length), the text, then the font image, given with its length as a
// loaded file would be. A refused image must leave the font list as it was;
// an accepted one is fixed up, selected and used to draw the text and every
// code of the font with the fuzzed effects and position on the memory
// screen, then unloaded, so the next input starts from the three built-in
// fonts.
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>

#include "gem/vdi/fontlist.h"

namespace {

constexpr size_t kParams = 8;
constexpr size_t kMaxText = 64;

struct Params {
    short effects, x, y, clipx2;
    std::string text;
};

short word(const uint8_t *p) { return (short)(p[0] | p[1] << 8); }

void draw_everything(const Params &p, const GFONT *font)
{
    vst_effects(handle, p.effects);
    short clip[4] = {0, 0, p.clipx2, 199};
    vs_clip(handle, 1, clip);
    v_gtext(handle, p.x, p.y, p.text.c_str());

    // Every code the font holds, as signed characters, a line at a time.
    std::string all;
    for (int code = font->first_ade; code <= font->last_ade && all.size() < 512; code++)
        if (code != 0 && code >= -128 && code <= 127)
            all += (char)code;
    v_gtext(handle, 0, font->top, all.c_str());
    vs_clip(handle, 0, nullptr);
}

[[noreturn]] void broken(const char *what)
{
    fprintf(stderr, "fuzz_font: %s\n", what);
    abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    (void)argc;
    (void)argv;
    _gemio = &_memory_io;
    appl_init(0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < kParams)
        return 0;
    Params p{(short)data[0], word(data + 1), word(data + 3), word(data + 5), {}};
    size_t text_len = std::min<size_t>(data[7] % kMaxText, size - kParams);
    for (size_t i = 0; i < text_len; i++)
        p.text += data[kParams + i] ? (char)data[kParams + i] : 'a';
    const uint8_t *image = data + kParams + text_len;
    size_t length = size - kParams - text_len;

    // A heap block of exactly the file's length: reads past it are caught.
    void *block = malloc(length ? length : 1);
    if (!block)
        return 0;
    if (length)
        memcpy(block, image, length);
    bool acceptable = font_image_ok(block, (long)length);
    if (memcmp(block, image, length) != 0)
        broken("checking changed the image");

    short fonts_before = _no_of_fonts;
    int number = font_register(block, (long)length);
    if (number < 0) {
        free(block);
        if (acceptable || _no_of_fonts != fonts_before)
            broken("refused a sound image, or registered a refused one");
        return 0;
    }
    if (!acceptable || number != fonts_before)
        broken("registered an image the check refuses");

    vst_font(handle, number);
    draw_everything(p, _font);
    if (vst_unload_font(handle, number) != fonts_before || _fontno != 0)
        broken("unloading did not restore the list");
    return 0;
}
