// mkfont: turns a font drawn as text art into a font image for the layer,
// written as a C++ source file that defines the image array.
//
//   mkfont ART OUTPUT
//
// The art file holds header lines ("key: value") and glyph blocks. A block
// starts with "glyphs" and the characters it draws, separated by blanks: a
// single character stands for itself, a number of two or more digits or a
// 0x number for that code. Then come cell-height rows, each with one group
// of cell-width pixels per character ('#' ink, '.' blank), groups separated
// by blanks. Lines starting with ';' and blank lines between blocks are
// ignored. Codes that no block draws stay blank.
//
// The image: the 88-byte header (little-endian), the offset table
// (codes 0..255, fixed pitch) and the font form, glyph n at bit 8n (or
// cell-width * n) of every row. The generator refuses anything malformed
// with the line number, and checks the image size given in the art file.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kGlyphs = 256;
constexpr int kHeaderSize = 88;

[[noreturn]] void fail(const std::string &file, int line, const std::string &what)
{
    std::fprintf(stderr, "%s:%d: %s\n", file.c_str(), line, what.c_str());
    std::exit(1);
}

std::vector<std::string> split(const std::string &text)
{
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

struct Font {
    std::map<std::string, std::string> header;
    int width = 0, height = 0;
    // pixels[code][row][column]
    std::vector<std::vector<std::string>> glyphs = std::vector<std::vector<std::string>>(kGlyphs);
};

// Decimal, or hexadecimal after "0x": a leading zero does not make a code
// octal ("010" is ten).
long number(const std::string &text, const std::string &file, int line)
{
    bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    char *end = nullptr;
    long v = std::strtol(text.c_str(), &end, hex ? 16 : 10);
    if (text.empty() || *end)
        fail(file, line, "not a number: " + text);
    return v;
}

int code_of(const std::string &token, const std::string &file, int line)
{
    if (token.size() == 1)
        return (unsigned char)token[0];
    long v = number(token, file, line);
    if (v < 0 || v >= kGlyphs)
        fail(file, line, "code out of range: " + token);
    return (int)v;
}

Font read_art(const std::string &file)
{
    std::ifstream in(file);
    if (!in)
        fail(file, 0, "cannot open");
    Font font;
    std::vector<std::string> lines;
    for (std::string l; std::getline(in, l);)
        lines.push_back(l);

    for (size_t i = 0; i < lines.size(); i++) {
        const std::string &l = lines[i];
        int lineno = (int)i + 1;
        auto words = split(l);
        if (words.empty() || l[0] == ';')
            continue;
        if (words[0] != "glyphs") {
            auto colon = l.find(':');
            if (colon == std::string::npos)
                fail(file, lineno, "expected \"key: value\" or \"glyphs\"");
            std::string key = l.substr(0, colon);
            std::string value = l.substr(colon + 1);
            value.erase(0, value.find_first_not_of(' '));
            font.header[key] = value;
            if (key == "cell") {
                auto wh = split(value);
                if (wh.size() != 2)
                    fail(file, lineno, "cell: WIDTH HEIGHT");
                font.width = (int)number(wh[0], file, lineno);
                font.height = (int)number(wh[1], file, lineno);
                if (font.width < 1 || font.width > 16 || font.height < 1 || font.height > 32)
                    fail(file, lineno, "cell size out of range");
            }
            continue;
        }
        if (!font.width)
            fail(file, lineno, "glyphs before the cell size");
        std::vector<int> codes;
        for (size_t w = 1; w < words.size(); w++)
            codes.push_back(code_of(words[w], file, lineno));
        if (codes.empty())
            fail(file, lineno, "glyphs without characters");
        for (int code : codes) {
            if (!font.glyphs[code].empty())
                fail(file, lineno, "code " + std::to_string(code) + " drawn twice");
            font.glyphs[code].resize(font.height);
        }
        for (int row = 0; row < font.height; row++) {
            size_t at = i + 1 + row;
            if (at >= lines.size())
                fail(file, lineno, "glyph block ends early");
            auto groups = split(lines[at]);
            if (groups.size() != codes.size())
                fail(file, (int)at + 1, "expected " + std::to_string(codes.size()) + " glyphs");
            for (size_t g = 0; g < codes.size(); g++) {
                const std::string &px = groups[g];
                if ((int)px.size() != font.width || px.find_first_not_of(".#") != std::string::npos)
                    fail(file, (int)at + 1,
                         "glyph row must be " + std::to_string(font.width) +
                             " of '.' and '#': " + px);
                font.glyphs[codes[g]][row] = px;
            }
        }
        i += font.height;
    }
    if (!font.width)
        fail(file, 0, "no cell size");
    return font;
}

struct Image {
    std::vector<unsigned char> bytes;

    void put16(size_t at, long v)
    {
        bytes[at] = (unsigned char)(v & 0xFF);
        bytes[at + 1] = (unsigned char)((v >> 8) & 0xFF);
    }
    void put32(size_t at, long v)
    {
        put16(at, v & 0xFFFF);
        put16(at + 2, (v >> 16) & 0xFFFF);
    }
};

long field(const Font &font, const char *key, const std::string &file)
{
    auto it = font.header.find(key);
    if (it == font.header.end())
        fail(file, 0, std::string("missing header value: ") + key);
    return number(it->second, file, 0);
}

Image build(const Font &font, const std::string &file)
{
    const int entries = kGlyphs + 1;
    const int form_width = (kGlyphs * font.width + 7) / 8;
    const int form_start = kHeaderSize + 2 * entries;
    Image image;
    image.bytes.assign((size_t)form_start + (size_t)form_width * font.height, 0);

    auto name = font.header.find("name");
    if (name == font.header.end() || name->second.size() > 31)
        fail(file, 0, "name missing or longer than 31 characters");
    image.put16(0, field(font, "font_id", file));
    image.put16(2, field(font, "size", file));
    for (size_t c = 0; c < name->second.size(); c++)
        image.bytes[4 + c] = (unsigned char)name->second[c];
    // first_ade .. flags, 36 to 66: every font holds codes 0 to 255.
    image.put16(36, 0);
    image.put16(38, kGlyphs - 1);
    const char *metrics[] = {"top", "ascent", "half", "descent", "bottom"};
    for (int v = 0; v < 5; v++)
        image.put16(40 + 2 * v, field(font, metrics[v], file));
    image.put16(50, font.width);  // max_char_width
    image.put16(52, font.width);  // max_cell_width
    const char *styles[] = {"loffset", "roffset", "thicken", "ul_size", "lighten", "skew", "flags"};
    for (int v = 0; v < 7; v++)
        image.put16(54 + 2 * v, field(font, styles[v], file));
    image.put32(68, kHeaderSize);
    image.put32(72, kHeaderSize);
    image.put32(76, form_start);
    image.put16(80, form_width);
    image.put16(82, font.height);
    image.put32(84, 0);

    for (int n = 0; n < entries; n++)
        image.put16(kHeaderSize + 2 * n, n * font.width);
    for (int code = 0; code < kGlyphs; code++) {
        const auto &rows = font.glyphs[code];
        for (size_t r = 0; r < rows.size(); r++)
            for (int c = 0; c < font.width; c++)
                if (rows[r][c] == '#') {
                    int bit = code * font.width + c;
                    image.bytes[form_start + r * form_width + bit / 8] |=
                        (unsigned char)(0x80 >> (bit % 8));
                }
    }

    long expected = field(font, "image", file);
    if ((long)image.bytes.size() != expected)
        fail(file, 0,
             "image is " + std::to_string(image.bytes.size()) + " bytes, expected " +
                 std::to_string(expected));
    return image;
}

void write_source(const Image &image, const Font &font, const std::string &art,
                  const std::string &out)
{
    auto symbol = font.header.find("symbol");
    if (symbol == font.header.end())
        fail(art, 0, "missing header value: symbol");
    std::ostringstream s;
    s << "// Generated by mkfont from " << art.substr(art.find_last_of('/') + 1)
      << "; edit the art, not this file.\n"
      << "#include \"gem/internal.h\"\n\n"
      << "alignas(4) unsigned char " << symbol->second << "[" << image.bytes.size() << "] = {";
    for (size_t i = 0; i < image.bytes.size(); i++) {
        s << (i % 16 ? " " : "\n    ") << (int)image.bytes[i] << ",";
    }
    s << "\n};\n";
    std::ofstream f(out);
    f << s.str();
    if (!f)
        fail(out, 0, "cannot write");
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: mkfont ART OUTPUT\n");
        return 2;
    }
    Font font = read_art(argv[1]);
    write_source(build(font, argv[1]), font, argv[1], argv[2]);
    return 0;
}
