// Fuzzing spr2pcx's sprite file reader and the picture it makes.
//
// The input is a sprite file. It is accepted exactly when its size byte
// gives a side of 1 to 63, its palette has at most 240 entries and its
// length is that of such a sprite; a refusal says why. An accepted sprite's
// picture is a 2a x 6a PCX whose lines decode to the sprite's two columns
// side by side, and whose palette is the sprite's, the rest the stop
// colour; where pcx2spr takes the sprite (side up to 24, no stop colour in
// its palette), converting the picture gives back the same file.
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "gem/internal.h"
#include "pcx2spr.h"
#include "sprite_picture.h"

namespace {

using Bytes = std::vector<unsigned char>;

[[noreturn]] void broken(const char *what, const std::string &detail = "")
{
    fprintf(stderr, "fuzz_sprite: %s %s\n", what, detail.c_str());
    abort();
}

bool sprite_file_sound(const Bytes &f)
{
    if (f.size() < 2 || f[1] > 240 || (f[0] & 63) == 0)
        return false;
    const size_t a = f[0] & 63;
    return f.size() == 2 + 3 * (size_t)f[1] + 12 * a * a;
}

int word(const Bytes &b, size_t at) { return b[at] | b[at + 1] << 8; }

// The picture's 6a lines of 2a pixels, decoded; they must end where the
// palette marker stands.
Bytes picture_pixels(const Bytes &pcx, int a)
{
    Bytes pixels;
    size_t at = 128;
    const size_t end = pcx.size() - 1 - 768;
    for (int y = 0; y < 6 * a; y++) {
        size_t n = 0;
        while (n < (size_t)(2 * a)) {
            if (at >= end)
                broken("the picture's lines run into the palette");
            const unsigned char c = pcx[at++];
            const size_t count = c >= 192 ? c & 63 : 1;
            const unsigned char value = c >= 192 ? pcx[at++] : c;
            if (count == 0 || n + count > (size_t)(2 * a))
                broken("a run crosses the end of a line");
            pixels.insert(pixels.end(), count, value);
            n += count;
        }
    }
    if (at != end || pcx[end] != 12)
        broken("no palette marker after the lines");
    return pixels;
}

void check_picture(const Bytes &file, const Bytes &pcx)
{
    const int a = file[0] & 63, entries = file[1];
    if (pcx.size() < 128 + 1 + 768 || word(pcx, 8) != 2 * a - 1 || word(pcx, 10) != 6 * a - 1)
        broken("the picture's header does not give 2a x 6a");
    const Bytes lines = picture_pixels(pcx, a);
    const unsigned char *left = file.data() + 2 + 3 * entries, *right = left + 6 * a * a;
    for (int y = 0; y < 6 * a; y++)
        for (int x = 0; x < a; x++)
            if (lines[y * 2 * a + x] != left[y * a + x] ||
                lines[y * 2 * a + a + x] != right[y * a + x])
                broken("a pixel differs from the sprite's");
    const unsigned char *palette = pcx.data() + pcx.size() - 768;
    for (int i = 0; i < 256 * 3; i++) {
        const unsigned char stop[3] = {255, 0, 255};
        if (palette[i] != (i < 3 * entries ? file[2 + i] : stop[i % 3]))
            broken("the picture's palette is not the sprite's");
    }
}

bool has_stop_colour(const Bytes &file)
{
    for (int e = 0; e < file[1]; e++)
        if (file[2 + 3 * e] == 255 && file[3 + 3 * e] == 0 && file[4 + 3 * e] == 255)
            return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    (void)argc;
    (void)argv;
    _gemio = &_memory_io;
    appl_init(0);  // pcx2spr's screen, for the way back
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const Bytes file(data, data + size);
    Sprite s;
    const std::string refusal = read_sprite(file, s);
    if (refusal.empty() != sprite_file_sound(file))
        broken("refused a sound sprite file, or took a damaged one:", refusal);
    if (!refusal.empty())
        return 0;

    const Bytes pcx = pcx_bytes(s);
    check_picture(file, pcx);
    if ((file[0] & 63) > MAX_SIDE || has_stop_colour(file))
        return 0;
    Bytes again;
    if (const char *why = convert_pcx(file[0], pcx.data(), pcx.size(), again))
        broken("pcx2spr refused the picture:", why);
    if (again != file)
        broken("pcx2spr of the picture gives another sprite file");
    return 0;
}
