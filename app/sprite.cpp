// The converter's work: PCX decoding into the logical screen, the two sprite
// copies, and writing the sprite file.
#include "pcx2spr.h"

#include <errno.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gem/internal.h"
#include "whole_file.h"

char spritename[14] = "monst999.spr";
MFDB display = {NULL, 320, 200, 0, 0, 0, 0, 0, 0};
MFDB behind = {NULL, 48, 144, 0, 0, 0, 0, 0, 0};
short fudge[8];
unsigned char palette[PALETTE_ENTRIES * 3];
unsigned char sprite[SPRITE_BYTES];
unsigned char size;
short pallength;
short vrez;
char dirname[PATH_BYTES];
char selfile[128];
FILE *fp;

static const int PCX_HEADER_BYTES = 128;
static const int PCX_PALETTE_BYTES = 768;
static const int LOGICAL_STRIDE = 320;

unsigned char size_from_name(const char *name)
{
    const char *slash = strrchr(name, '/');
    return (unsigned char)atoi(slash ? slash + 1 : name);
}

int ReadPcxLine(unsigned char *p, int hrez)
{
    int n = 0;
    do {
        int c = getc(fp);
        if (c >= 192) {
            int count = c & 63;
            int value = getc(fp);
            for (int i = 0; i < count; i++)
                p[n++] = (unsigned char)(value + 16);
        } else if (c == EOF) {
            // Every byte past the end reads as colour 15: the rest of the
            // line at once, not a byte at a time.
            memset(p + n, 15, (size_t)(hrez - n));
            n = hrez;
        } else {
            p[n++] = (unsigned char)(c + 16);
        }
    } while (n < hrez);

    if (hrez < vrez / 3) {
        memcpy(p + hrez, p, (size_t)hrez);
        n = std::max(n, 2 * hrez);
    }
    return n;
}

// Palette bytes sit in the file's last 768 bytes; those a short file does not
// have read as 0.
static void read_palette(long length)
{
    memset(palette, 0, sizeof palette);
    long start = length - PCX_PALETTE_BYTES;
    long skip = start < 0 ? -start : 0;
    if (skip >= (long)sizeof palette)
        return;
    if (fseek(fp, start + skip, SEEK_SET) != 0)
        return;
    size_t got = fread(palette + skip, 1, sizeof palette - (size_t)skip, fp);
    (void)got;  // what is missing stays 0
}

// Entries up to the first stop colour (255, 0, 255) go into the file.
static short palette_length(void)
{
    short n = 0;
    while (n < PALETTE_ENTRIES) {
        const unsigned char *e = palette + 3 * n;
        if ((e[0] & e[2]) == 255 && e[1] == 0)
            break;
        n++;
    }
    return n;
}

// The picture open in `fp` into the logical screen and the palette, then
// shown on the visible screen. Returns null, or why it was refused.
static const char *decode_pcx(void)
{
    unsigned char head[PCX_HEADER_BYTES];
    if (fread(head, 1, sizeof head, fp) != sizeof head)
        return "is shorter than its 128-byte header";
    short xmax = (short)(head[8] | head[9] << 8);
    if (xmax < 0)
        return "has a negative width (xmax below 0)";
    int hrez = xmax + 1;
    vrez = (short)(6 * side_of(size));

    Setscreen(1, 0);
    static std::vector<unsigned char> line(LINE_BYTES);  // made once: it is large
    unsigned char *row = Logbase();
    for (int i = 0; i < vrez; i++) {
        int n = std::min(ReadPcxLine(line.data(), hrez), LOGICAL_STRIDE);  // never past the row
        memcpy(row, line.data(), (size_t)n);
        // What the line does not reach is colour 0, not what the screen
        // showed before: a narrow picture cuts the same in every run.
        memset(row + n, 0, (size_t)(LOGICAL_STRIDE - n));
        row += LOGICAL_STRIDE;
    }

    fseek(fp, 0, SEEK_END);
    read_palette(ftell(fp));

    pallength = palette_length();
    Forcepalette(16, pallength, palette);
    Setscreen(0, 0);
    return NULL;
}

// Decodes the picture in `file` (null: it could not be opened, errno says
// why) and closes it. Returns null, or why the picture was refused.
static const char *decode_file(FILE *file)
{
    static std::string reason;
    if (!file) {
        reason = std::string("cannot be opened: ") + strerror(errno);
        return reason.c_str();
    }
    fp = file;
    const char *err = decode_pcx();
    fclose(fp);
    fp = NULL;
    return err;
}

const char *loadpcx(void) { return decode_file(fopen(dirname, "rb")); }

void cut_sprite(void)
{
    short a = (short)side_of(size);
    behind.fd_addr = sprite;
    behind.fd_w = a;
    behind.fd_h = (short)(6 * a);
    fudge[0] = 0;
    fudge[1] = 0;
    fudge[2] = (short)(a - 1);
    fudge[3] = (short)(6 * a - 1);
    fudge[4] = 0;
    fudge[5] = 0;
    fudge[6] = (short)(a - 1);
    fudge[7] = (short)(6 * a - 1);
    vro_cpyfm(handle, 3, fudge, &display, &behind);

    behind.fd_addr = sprite + 6 * a * a;
    fudge[0] = a;
    fudge[2] = (short)(2 * a - 1);
    vro_cpyfm(handle, 3, fudge, &display, &behind);
}

std::vector<unsigned char> sprite_file_bytes(void)
{
    int a = side_of(size);
    std::vector<unsigned char> out;
    out.reserve(2 + 3 * (size_t)pallength + 12 * (size_t)(a * a));
    out.push_back(size);
    out.push_back((unsigned char)pallength);
    out.insert(out.end(), palette, palette + 3 * pallength);
    for (int j = 0; j < 12 * a * a; j++)
        out.push_back((unsigned char)(sprite[j] - 16));  // back to the PCX index
    return out;
}

const char *write_sprite(const char *path)
{
    static std::string reason;
    const std::vector<unsigned char> bytes = sprite_file_bytes();
    reason = write_whole_file(path, bytes.data(), bytes.size());
    return reason.empty() ? NULL : reason.c_str();
}

namespace {

constexpr size_t ALERT_LINE = 32;   // characters of one alert line
constexpr size_t REASON_LINES = 3;  // lines left for the reason

// Characters that would end an alert's field or line.
std::string alert_safe(std::string s)
{
    std::replace(s.begin(), s.end(), '|', '/');
    std::replace(s.begin(), s.end(), ']', ')');
    return s;
}

// `text` in lines of at most ALERT_LINE characters, broken after a space
// where there is one; what does not fit REASON_LINES lines is left out.
std::vector<std::string> wrap(const std::string &text)
{
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < text.size() && lines.size() < REASON_LINES) {
        size_t n = std::min(ALERT_LINE, text.size() - at);
        if (at + n < text.size()) {
            size_t space = text.rfind(' ', at + n);
            if (space != std::string::npos && space > at)
                n = space - at + 1;
        }
        std::string line = text.substr(at, n);
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        lines.push_back(line);
        at += n;
    }
    return lines;
}

}  // namespace

std::string failure_alert(const char *headline, const char *file, const char *reason)
{
    const char *base = strrchr(file, '/');
    std::string name = alert_safe(base ? base + 1 : file);
    if (name.size() > ALERT_LINE)
        name.resize(ALERT_LINE);
    std::string alert = std::string("[3][") + headline + "|" + name;
    for (const std::string &line : wrap(alert_safe(reason)))
        alert += "|" + line;
    return alert + "][ OK ]";
}

// Tells the user why nothing was written, in an alert and on standard error.
static void refuse(const char *headline, const char *file, const char *reason)
{
    fprintf(stderr, "pcx2spr: %s: %s\n", file, reason);
    form_alert(1, failure_alert(headline, file, reason).c_str());
}

static const char PICTURE_REFUSED[] = "Picture refused:";

static const char *side_problem(void)
{
    static char reason[64];
    if (side_of(size) <= MAX_SIDE)
        return NULL;
    snprintf(reason, sizeof reason, "side %d is above %d", side_of(size), MAX_SIDE);
    return reason;
}

void save_sprite(void)
{
    form_input_text(12, "Name", spritename, "Save as");
    const char *err = write_sprite(spritename);
    if (err)
        refuse("Sprite not written:", spritename, err);
}

void load_sprite(void)
{
    short replace = 0;
    strcpy(selfile, "*.pcx");
    fsel_exinput(dirname, selfile, &replace, "Load a PCX");
    if (!replace)
        return;

    size = (unsigned char)atoi(selfile);
    if (strlen(dirname) + strlen(selfile) >= sizeof dirname) {
        refuse(PICTURE_REFUSED, selfile, "its path is too long");
        return;
    }
    strcat(dirname, selfile);
    if (const char *err = side_problem()) {
        refuse(PICTURE_REFUSED, dirname, err);
        return;
    }
    if (const char *err = loadpcx()) {
        refuse(PICTURE_REFUSED, dirname, err);
        return;
    }
    cut_sprite();
    save_sprite();
}

const char *convert_picture(const char *picture, const char *output)
{
    size = size_from_name(picture);
    if (const char *err = side_problem())
        return err;
    if (strlen(picture) >= sizeof dirname)
        return "its path is too long";
    strcpy(dirname, picture);
    if (const char *err = loadpcx())
        return err;
    cut_sprite();
    return write_sprite(output);
}

const char *convert_pcx(unsigned char size_byte, const unsigned char *pcx, size_t length,
                        std::vector<unsigned char> &sprite_file)
{
    size = size_byte;
    if (const char *err = side_problem())
        return err;
    static const unsigned char no_bytes[1] = {0};
    if (const char *err = decode_file(fmemopen((void *)(length ? pcx : no_bytes), length, "rb")))
        return err;
    cut_sprite();
    sprite_file = sprite_file_bytes();
    return NULL;
}

int convert_batch(const char *picture, const char *output)
{
    _gemio = &_memory_io;
    appl_init(0);
    if (const char *err = convert_picture(picture, output)) {
        fprintf(stderr, "pcx2spr: %s: %s\n", picture, err);
        return 1;
    }
    return 0;
}
