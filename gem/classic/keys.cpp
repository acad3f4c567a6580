// Classic key codes: the scan codes of the classic keyboard (US layout),
// found from the character the layer reports and back.
#include "gem/classic/keys.h"

#include "gem/classic/internal.h"

namespace {

// Scan codes of the printable characters from ' ' to '~', shifted or not.
constexpr unsigned char printable_scan[95] = {
    0x39, 0x02, 0x28, 0x04, 0x05, 0x06, 0x08, 0x28, 0x0A, 0x0B, 0x09, 0x0D, 0x33, 0x0C, 0x34, 0x35,
    0x0B, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x27, 0x27, 0x33, 0x0D, 0x34, 0x35,
    0x03, 0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17, 0x24, 0x25, 0x26, 0x32, 0x31, 0x18,
    0x19, 0x10, 0x13, 0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C, 0x1A, 0x2B, 0x1B, 0x07, 0x0C,
    0x29, 0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17, 0x24, 0x25, 0x26, 0x32, 0x31, 0x18,
    0x19, 0x10, 0x13, 0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C, 0x1A, 0x2B, 0x1B, 0x29};

struct Special {
    int layer;
    int classic;
};

// Keys whose layer code is not their character. F11 and F12, which the
// classic keyboard lacks, take the codes of its shifted F1 and F2.
constexpr Special specials[] = {
    {K_RETURN, 0x1C0D}, {K_BACKSPACE, 0x0E08}, {K_DELETE, 0x537F}, {27, 0x011B},
    {9, 0x0F09},        {K_UP, 0x4800},        {K_DOWN, 0x5000},   {K_LEFT, 0x4B00},
    {K_RIGHT, 0x4D00},  {K_F12 - 1, 0x5400},   {K_F12, 0x5500},
};

}  // namespace

int _gemc_key_classic(int layer)
{
    for (const Special &s : specials)
        if (s.layer == layer)
            return s.classic;
    if (layer >= K_F1 && layer < K_F1 + 10)
        return (0x3B + layer - K_F1) << 8;
    if (layer >= ' ' && layer <= '~')
        return printable_scan[layer - ' '] << 8 | layer;
    if (layer > 0 && layer < ' ')  // a control character: the scan of its letter
        return printable_scan['@' + layer - ' '] << 8 | layer;
    return layer & 0xFF;
}

int _gemc_key_layer(int classic)
{
    for (const Special &s : specials)
        if (s.classic == (classic & 0xFFFF))
            return s.layer;
    const int scan = (classic >> 8) & 0xFF, ch = classic & 0xFF;
    if (ch == 8)
        return K_BACKSPACE;
    if (ch == 0x7F && scan == 0x53)
        return K_DELETE;
    if (ch)
        return ch;
    if (scan >= 0x3B && scan < 0x3B + 10)
        return K_F1 + scan - 0x3B;
    return 0;
}
