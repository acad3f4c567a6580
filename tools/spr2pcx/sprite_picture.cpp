#include "sprite_picture.h"

#include <string.h>

namespace {

constexpr int MAX_PALETTE = 240;  // entries a sprite file can carry
constexpr int HEADER_BYTES = 128;

std::string bytes_of(size_t n) { return std::to_string(n) + (n == 1 ? " byte" : " bytes"); }

void put16(std::vector<unsigned char> &out, size_t at, int value)
{
    out[at] = (unsigned char)(value & 0xff);
    out[at + 1] = (unsigned char)(value >> 8 & 0xff);
}

// One line run-length encoded: runs of up to 63, and a single byte of 192
// or more written as a run so it is not taken for a count.
void encode_line(std::vector<unsigned char> &out, const unsigned char *line, int width)
{
    for (int x = 0; x < width;) {
        int run = 1;
        while (x + run < width && run < 63 && line[x + run] == line[x])
            run++;
        if (run > 1 || line[x] >= 192)
            out.push_back((unsigned char)(192 | run));
        out.push_back(line[x]);
        x += run;
    }
}

}  // namespace

std::string read_sprite(const std::vector<unsigned char> &bytes, Sprite &s)
{
    if (bytes.size() < 2)
        return "is too short for a sprite: " + bytes_of(bytes.size());
    s.size = bytes[0];
    s.side = s.size & 63;
    const int entries = bytes[1];
    if (entries > MAX_PALETTE)
        return "has a palette of " + std::to_string(entries) + " entries, more than 240";
    if (s.side == 0)
        return "is a sprite of side 0: it has no pixels";
    const size_t pixels = 12u * (size_t)s.side * (size_t)s.side;
    const size_t expected = 2 + 3u * (size_t)entries + pixels;
    if (bytes.size() != expected)
        return "has " + bytes_of(bytes.size()) + "; a sprite of side " + std::to_string(s.side) +
               " with " + std::to_string(entries) + " palette entries has " +
               std::to_string(expected);
    s.palette.assign(bytes.begin() + 2, bytes.begin() + 2 + 3 * entries);
    s.pixels.assign(bytes.end() - (long)pixels, bytes.end());
    return "";
}

std::vector<unsigned char> pcx_bytes(const Sprite &s)
{
    const int a = s.side, width = 2 * a, height = 6 * a;
    std::vector<unsigned char> out(HEADER_BYTES, 0);
    out[0] = 10;  // manufacturer
    out[1] = 5;   // version: 256-colour palette at the end
    out[2] = 1;   // run-length encoding
    out[3] = 8;   // bits per pixel
    put16(out, 8, width - 1);
    put16(out, 10, height - 1);
    put16(out, 12, 72);
    put16(out, 14, 72);
    out[65] = 1;  // colour planes
    put16(out, 66, width);
    put16(out, 68, 1);  // colour palette

    std::vector<unsigned char> line((size_t)width);
    const unsigned char *left = s.pixels.data(), *right = left + 6 * a * a;
    for (int y = 0; y < height; y++) {
        memcpy(line.data(), left + y * a, (size_t)a);
        memcpy(line.data() + a, right + y * a, (size_t)a);
        encode_line(out, line.data(), width);
    }
    out.push_back(12);  // the palette follows
    out.insert(out.end(), s.palette.begin(), s.palette.end());
    for (size_t e = s.palette.size() / 3; e < 256; e++)
        out.insert(out.end(), {255, 0, 255});
    return out;
}
