// Fuzzing the converter's batch path: a PCX picture decoded into the
// logical screen, cut into the sprite's two columns and turned into the
// sprite file's bytes, exactly as `pcx2spr PICTURE OUTPUT` does.
//
// Input: the size byte (the number the picture's name starts with), then
// the picture. Each conversion is checked against the format as written
// down here, independently of the converter: an accepted picture gives
// exactly the sprite file below, a refused one the converter's message and
// no change to the screen or the palette.
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gem/internal.h"
#include "pcx2spr.h"

namespace {

using Bytes = std::vector<unsigned char>;

constexpr size_t HEADER = 128;
constexpr size_t PALETTE_BYTES = 768;  // at the end of the file

struct Expected {
    std::string refusal;  // empty: accepted
    Bytes sprite_file;
};

// One decoded line into `line`: literal bytes and runs (a count byte of
// 192 or more and the value), colours shifted by 16, until the width is
// reached; a byte past the end of the file is colour 15. A line narrower
// than two sides is repeated to its right. Returns the pixels it holds.
size_t decode_line(const uint8_t *pcx, size_t length, size_t &at, int width, int side, Bytes &line)
{
    size_t n = 0;
    while (n < (size_t)width) {
        if (at >= length) {
            memset(&line[n], 15, (size_t)width - n);
            n = (size_t)width;
        } else if (pcx[at] >= 192) {
            const size_t count = pcx[at++] & 63;
            const int value = at < length ? pcx[at++] : -1;
            memset(&line[n], (unsigned char)(value + 16), count);
            n += count;
        } else {
            line[n++] = (unsigned char)(pcx[at++] + 16);
        }
    }
    if (width < 2 * side) {
        memcpy(&line[(size_t)width], &line[0], (size_t)width);
        n = std::max(n, (size_t)(2 * width));
    }
    return n;
}

Expected expect(unsigned char size, const uint8_t *pcx, size_t length)
{
    const int a = size & 63;
    if (a > MAX_SIDE)
        return {"side " + std::to_string(a) + " is above 24", {}};
    if (length < HEADER)
        return {"is shorter than its 128-byte header", {}};
    const int xmax = (int16_t)(pcx[8] | pcx[9] << 8);
    if (xmax < 0)
        return {"has a negative width (xmax below 0)", {}};

    // Each row's first 2a pixels; those its line does not reach are colour 0.
    static Bytes line(2 * 32768 + 64);
    Bytes rows(12 * (size_t)a * a, 0);
    size_t at = HEADER;
    for (int y = 0; y < 6 * a; y++) {
        const size_t n = decode_line(pcx, length, at, xmax + 1, a, line);
        memcpy(&rows[y * 2 * a], line.data(), std::min(n, (size_t)(2 * a)));
    }

    // The palette: the first 240 entries of the last 768 bytes (bytes
    // before the start of the file are 0), up to the stop colour.
    unsigned char palette[3 * PALETTE_ENTRIES];
    for (size_t i = 0; i < sizeof palette; i++) {
        const long from = (long)length - (long)PALETTE_BYTES + (long)i;
        palette[i] = from >= 0 ? pcx[from] : 0;
    }
    int entries = 0;
    while (entries < PALETTE_ENTRIES) {
        const unsigned char *e = palette + 3 * entries;
        if (e[0] == 255 && e[1] == 0 && e[2] == 255)
            break;
        entries++;
    }

    Bytes file = {size, (unsigned char)entries};
    file.reserve(2 + 3 * entries + rows.size());
    file.insert(file.end(), palette, palette + 3 * entries);
    for (int column = 0; column < 2; column++)
        for (int y = 0; y < 6 * a; y++)
            for (int x = 0; x < a; x++)
                file.push_back((unsigned char)(rows[y * 2 * a + column * a + x] - 16));
    return {"", file};
}

Bytes screen_pixels()
{
    Bytes v;
    v.reserve((size_t)screen->w * screen->h);
    for (int y = 0; y < screen->h; y++)
        v.insert(v.end(), screen->line[y], screen->line[y] + screen->w);
    return v;
}

[[noreturn]] void broken(const char *what, const std::string &detail)
{
    fprintf(stderr, "fuzz_pcx: %s: %s\n", what, detail.c_str());
    abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    (void)argc;
    (void)argv;
    _gemio = &_memory_io;
    appl_init(0);  // the batch command's screen
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const uint8_t *pcx = data + 1;
    const size_t length = size - 1;
    const Expected want = expect(data[0], pcx, length);

    const Bytes screen_before = want.refusal.empty() ? Bytes() : screen_pixels();
    RGB palette_before[256];
    memcpy(palette_before, _palette, sizeof palette_before);

    Bytes got;
    const char *refusal = convert_pcx(data[0], pcx, length, got);
    if (!want.refusal.empty()) {
        if (!refusal || want.refusal != refusal)
            broken("a refusal with another message", refusal ? refusal : "(accepted)");
        if (screen_pixels() != screen_before || memcmp(palette_before, _palette, sizeof _palette))
            broken("a refused picture changed the screen or the palette", want.refusal);
        return 0;
    }
    if (refusal)
        broken("a sound picture refused", refusal);
    if (got != want.sprite_file)
        broken("the sprite file differs from the picture's columns", std::to_string(got.size()));
    return 0;
}
