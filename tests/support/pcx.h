// Hand-made PCX pictures for the converter's tests.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace pcx {

using Bytes = std::vector<unsigned char>;
using Rows = std::vector<Bytes>;

// The 128-byte header; only xmax matters to the converter.
inline Bytes header(int xmax, int ymax = 0)
{
    Bytes h(128, 0);
    h[0] = 10;
    h[1] = 5;
    h[2] = 1;
    h[3] = 8;
    h[8] = (unsigned char)(xmax & 0xFF);
    h[9] = (unsigned char)((xmax >> 8) & 0xFF);
    h[10] = (unsigned char)(ymax & 0xFF);
    h[11] = (unsigned char)((ymax >> 8) & 0xFF);
    h[65] = 1;
    int bpl = xmax + 1;
    h[66] = (unsigned char)(bpl & 0xFF);
    h[67] = (unsigned char)((bpl >> 8) & 0xFF);
    return h;
}

// One line, run-length encoded the usual way (runs of up to 63; values of
// 192 and above always as runs).
inline Bytes encode_line(const Bytes &line)
{
    Bytes out;
    for (size_t i = 0; i < line.size();) {
        unsigned char v = line[i];
        size_t n = 1;
        while (i + n < line.size() && line[i + n] == v && n < 63)
            n++;
        if (n > 1 || v >= 192) {
            out.push_back((unsigned char)(192 | n));
            out.push_back(v);
        } else {
            out.push_back(v);
        }
        i += n;
    }
    return out;
}

// A 256-entry palette: entry k is (k, 255 - k, k / 2) unless set otherwise.
inline Bytes palette()
{
    Bytes p(768);
    for (int k = 0; k < 256; k++) {
        p[3 * k] = (unsigned char)k;
        p[3 * k + 1] = (unsigned char)(255 - k);
        p[3 * k + 2] = (unsigned char)(k / 2);
    }
    return p;
}

// A whole picture: header, encoded rows, the 0x0C marker and the palette.
inline Bytes picture(const Rows &rows, const Bytes &pal = palette())
{
    int w = rows.empty() ? 1 : (int)rows[0].size();
    Bytes out = header(w - 1, (int)rows.size() - 1);
    for (const Bytes &r : rows) {
        Bytes e = encode_line(r);
        out.insert(out.end(), e.begin(), e.end());
    }
    out.push_back(0x0C);
    out.insert(out.end(), pal.begin(), pal.end());
    return out;
}

// Rows of width w where pixel (x, y) has colour f(x, y).
template <typename F>
Rows rows(int w, int h, F f)
{
    Rows r(h, Bytes(w));
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            r[y][x] = (unsigned char)f(x, y);
    return r;
}

inline void save(const std::string &path, const Bytes &bytes)
{
    std::ofstream f(path, std::ios::binary);
    f.write((const char *)bytes.data(), (std::streamsize)bytes.size());
}

inline Bytes load(const std::string &path)
{
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

}  // namespace pcx
