// spr2pcx SPRITE OUT.pcx: shows what a sprite file holds as a picture any
// image program opens. The sprite's two columns (a x 6a pixels each) stand
// side by side in a 2a x 6a 8-bit run-length PCX with the sprite's palette.
// Palette entries the sprite does not use are the stop colour (255, 0, 255),
// so that pcx2spr of the picture finds the same palette length again.
// spr2pcx --version: its name and version.
#include <errno.h>
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "gem/version.h"
#include "whole_file.h"

namespace {

constexpr int MAX_PALETTE = 240;  // entries a sprite file can carry
constexpr int HEADER_BYTES = 128;

struct Sprite {
    unsigned char size = 0;
    int side = 0;
    std::vector<unsigned char> palette;  // 3 bytes an entry
    std::vector<unsigned char> pixels;   // left column, then right column
};

std::string bytes_of(size_t n) { return std::to_string(n) + (n == 1 ? " byte" : " bytes"); }

// Reads and checks a sprite file; returns why it is refused, or "".
std::string read_sprite(const char *path, Sprite &s)
{
    FILE *f = fopen(path, "rb");
    if (!f)
        return std::string("cannot be opened: ") + strerror(errno);
    std::vector<unsigned char> bytes;
    unsigned char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0)
        bytes.insert(bytes.end(), buf, buf + n);
    const bool failed = ferror(f);
    fclose(f);
    if (failed)
        return "cannot be read";
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

}  // namespace

int main(int argc, char **argv)
{
    if (argc == 2 && strcmp(argv[1], "--version") == 0) {
        printf("spr2pcx %s\n", GEM_VERSION_STRING);
        return 0;
    }
    if (argc != 3) {
        fprintf(stderr, "usage: spr2pcx SPRITE OUT.pcx\n");
        return 2;
    }
    Sprite s;
    const std::string refused = read_sprite(argv[1], s);
    if (!refused.empty()) {
        fprintf(stderr, "spr2pcx: %s %s; nothing written\n", argv[1], refused.c_str());
        return 1;
    }
    const std::vector<unsigned char> pcx = pcx_bytes(s);
    const std::string failed = write_whole_file(argv[2], pcx.data(), pcx.size());
    if (!failed.empty()) {
        fprintf(stderr, "spr2pcx: %s\n", failed.c_str());
        return 1;
    }
    return 0;
}
