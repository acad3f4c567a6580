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
#include "sprite_picture.h"
#include "whole_file.h"

namespace {

// Reads and checks a sprite file; returns why it is refused, or "".
std::string read_sprite_file(const char *path, Sprite &s)
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
    return read_sprite(bytes, s);
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
    const std::string refused = read_sprite_file(argv[1], s);
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
