// The sprite file reader and the picture spr2pcx makes of a sprite.
#pragma once

#include <string>
#include <vector>

struct Sprite {
    unsigned char size = 0;
    int side = 0;
    std::vector<unsigned char> palette;  // 3 bytes an entry
    std::vector<unsigned char> pixels;   // left column, then right column
};

// Reads and checks a sprite file's bytes; returns why it is refused, or "".
std::string read_sprite(const std::vector<unsigned char> &bytes, Sprite &s);

// The sprite's two columns side by side in a 2a x 6a 8-bit run-length PCX
// with the sprite's palette, unused entries the stop colour (255, 0, 255).
std::vector<unsigned char> pcx_bytes(const Sprite &s);
