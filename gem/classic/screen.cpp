// The classic TOS screen calls: resolution codes, the three-argument
// Setscreen, the screen addresses and the ST/STE palette words.
#include "gem/classic/screen.h"
#include "gem/classic/internal.h"

namespace {

// Classic resolution codes.
constexpr int ST_LOW = 0;   // 320 x 200
constexpr int ST_HIGH = 2;  // square pixels and the tall font: 640 x 480, 800 x 600
constexpr int KEEP = -1;

constexpr int REGISTERS = 256;  // the layer's palette; the classic one has 16
constexpr int ST_PALETTE = 16;

// The layer keeps 6-bit guns; an ST level k (0 to 7) is exactly 9k there.
constexpr int ST_STEP = 9;

int gun_from_nibble(int nibble, bool ste)
{
    if (!ste)
        return (nibble & 7) * ST_STEP;
    const int level = (nibble & 7) << 1 | (nibble >> 3 & 1);  // STE: bit 3 is the lowest bit
    return (level * 63 + 7) / 15;
}

int nibble_from_gun(int gun, bool ste)
{
    if (!ste)
        return gun / ST_STEP;
    const int level = (gun * 15 + 31) / 63;
    return level >> 1 | (level & 1) << 3;
}

// A word with no STE bit set is an ST word: its 3-bit guns span the whole
// range, so 0x777 is white.
bool is_ste(int word) { return (word & 0x888) != 0; }

void set_register(int reg, int word)
{
    const bool ste = is_ste(word);
    unsigned char rgb[3];
    for (int g = 0; g < 3; g++) {
        const int gun = gun_from_nibble(word >> (8 - 4 * g) & 0xF, ste);
        rgb[g] = (unsigned char)(gun << 2 | gun >> 4);  // the layer keeps the top six bits
    }
    Setcolor(reg, rgb);
}

// The register's colour as a word: an ST word when every gun is an ST
// level, else an STE word.
int register_word(int reg)
{
    unsigned char rgb[3];
    Getcolor(reg, rgb);
    int guns[3];
    bool ste = false;
    for (int g = 0; g < 3; g++) {
        guns[g] = rgb[g] >> 2;
        ste = ste || guns[g] % ST_STEP != 0;
    }
    int word = 0;
    for (int g = 0; g < 3; g++)
        word |= nibble_from_gun(guns[g], ste) << (8 - 4 * g);
    return word;
}

}  // namespace

int _gemc_classic_rez(int layer_rez) { return layer_rez == 0 ? ST_LOW : ST_HIGH; }

int _gemc_layer_rez(int classic_rez)
{
    switch (classic_rez) {
    case ST_LOW: return 0;
    case ST_HIGH: return 1;
    default: return -1;
    }
}

int gemc_Getrez(void) { return _gemc_classic_rez(Getrez()); }

// The addresses are not used: the layer's screens are not the program's
// memory, and a program draws where its workstation handle says. A code the
// current mode already reports keeps it (800 x 600 stays on Setscreen(-1,
// -1, Getrez())).
void gemc_Setscreen(long logical, long physical, int rez)
{
    (void)logical;
    (void)physical;
    if (rez == KEEP || rez == gemc_Getrez())
        return;
    const int mode = _gemc_layer_rez(rez);
    if (mode >= 0)
        Setscreen(-1, mode);
}

// The visible screen cannot be addressed, so both answers are the logical
// screen's pixels, one byte each and a whole screen of them: a program that
// keeps the address, hands it back or writes a screen's worth of bytes
// through it touches memory that exists, though nothing of it is shown.
void *gemc_Physbase(void) { return Logbase(); }

void *gemc_Logbase(void) { return Logbase(); }

int gemc_Setcolor(int reg, int colour)
{
    if (reg < 0 || reg >= REGISTERS)
        return -1;
    const int old = register_word(reg);
    if (colour >= 0) {
        set_register(reg, colour & 0xFFF);
        Setpalette();
    }
    return old;
}

void gemc_Setpalette(GEMC_REF palette)
{
    if (!palette.p)
        return;
    for (int reg = 0; reg < ST_PALETTE; reg++)
        set_register(reg, (int)gemc_get(palette, reg) & 0xFFF);
    Setpalette();
}
