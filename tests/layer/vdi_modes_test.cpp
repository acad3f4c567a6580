// Every drawing call in every writing mode and under clipping, against what
// the mode and the clip mean for the pixels the call covers.
#include <functional>

#include "vdi_draw.h"

namespace {

using namespace vdi_test;

enum Kind { FILLED, LINES };

struct Primitive {
    const char *name;
    Kind kind;
    bool clipped;
    std::function<void()> prepare;  // may be empty
    std::function<void()> draw;     // sets the call's own shape attributes
};

const short BAR[4] = {40, 30, 120, 90};
const short STAR[10] = {80, 10, 120, 110, 20, 50, 140, 50, 40, 110};
const short ZIGZAG[8] = {20, 100, 90, 20, 130, 100, 200, 40};
const short BOX[4] = {30, 20, 150, 100};
const short MARKS[6] = {60, 60, 66, 63, 150, 40};  // the first two overlap

std::vector<Primitive> primitives()
{
    auto block = [] { rectfill(screen, 50, 35, 110, 85, 10); };
    auto frame = [] { rect(screen, 50, 35, 110, 85, 11); };
    return {
        {"v_bar", FILLED, true, nullptr, [] { v_bar(handle, BAR); }},
        {"vr_recfl", FILLED, true, nullptr, [] { vr_recfl(handle, BAR); }},
        {"v_fillarea", FILLED, true, nullptr, [] { v_fillarea(handle, 5, STAR); }},
        {"v_circle", FILLED, true, nullptr, [] { v_circle(handle, 80, 60, 35); }},
        {"v_ellipse", FILLED, true, nullptr, [] { v_ellipse(handle, 80, 60, 50, 25); }},
        {"v_pieslice", FILLED, true, nullptr, [] { v_pieslice(handle, 80, 60, 40, 300, 2400); }},
        {"v_ellpie", FILLED, true, nullptr, [] { v_ellpie(handle, 80, 60, 50, 30, 2000, 900); }},
        {"v_rfbox", FILLED, true, nullptr, [] { v_rfbox(handle, BOX); }},
        {"v_contourfill seed colour", FILLED, true, block,
         [] { v_contourfill(handle, 80, 60, -1); }},
        {"v_contourfill bounded", FILLED, true, frame, [] { v_contourfill(handle, 80, 60, 11); }},
        {"v_pline dashed", LINES, false, nullptr,
         [] {
             vsl_type(handle, DASHDOT);
             v_pline(handle, 4, ZIGZAG);
         }},
        {"v_pline wide", LINES, false, nullptr,
         [] {
             vsl_width(handle, 9);
             vsl_ends(handle, ARROWED, ROUND);
             v_pline(handle, 4, ZIGZAG);
         }},
        {"v_pline thin arrows", LINES, false, nullptr,
         [] {
             vsl_ends(handle, ARROWED, ARROWED);
             v_pline(handle, 4, ZIGZAG);
         }},
        {"v_arc dotted", LINES, true, nullptr,
         [] {
             vsl_type(handle, DOT);
             v_arc(handle, 80, 60, 40, 450, 3000);
         }},
        {"v_ellarc wide", LINES, true, nullptr,
         [] {
             vsl_width(handle, 7);
             v_ellarc(handle, 80, 60, 60, 30, 0, 1800);
         }},
        {"v_rbox dashed", LINES, true, nullptr,
         [] {
             vsl_type(handle, USERLINE);
             vsl_udsty(handle, 0xF0C3);
             v_rbox(handle, BOX);
         }},
        {"v_rbox wide", LINES, true, nullptr,
         [] {
             vsl_width(handle, 5);
             v_rbox(handle, BOX);
         }},
        {"v_pmarker", LINES, true, nullptr,
         [] {
             vsm_type(handle, PM_ASTERISK);
             vsm_height(handle, 15);
             v_pmarker(handle, 3, MARKS);
         }},
    };
}

const unsigned short PATTERN[16] = {0x1234, 0xF00F, 0x0FF0, 0x8001, 0x5555, 0xAAAA, 0x0000, 0xFFFF,
                                    0x3C3C, 0x7E00, 0x0042, 0x9999, 0x1111, 0x2222, 0x4444, 0x8888};

bool pattern_bit(int x, int y) { return PATTERN[y & 15] >> (15 - (x & 15)) & 1; }

// A fresh screen: the texture, then what the call needs under it.
void background(const Primitive &p)
{
    texture(screen);
    if (p.prepare)
        p.prepare();
}

void attributes(int mode, int interior, int perimeter, int colour)
{
    vswr_mode(handle, mode);
    vsf_interior(handle, interior);
    vsf_udpat(handle, (const short *)PATTERN, 1);
    vsf_perimeter(handle, perimeter);
    vsf_color(handle, colour);
    vsl_color(handle, colour);
    vsm_color(handle, colour);
}

// The pixels a call covers, measured in MD_REPLACE in colour 3 (which the
// background never holds): for a filled shape its interior (`on`) and its
// perimeter (`edge`); for lines the pixels of set dash bits (`on`) and of
// clear ones (`off`, which replace mode paints in colour 0).
struct Cover {
    std::vector<bool> on, off, edge;
};

Cover cover(const Primitive &p)
{
    Cover c;
    background(p);
    attributes(MD_REPLACE, FIS_SOLID, p.kind == LINES, 3);
    p.draw();
    c.on = in_colour(3);
    c.off = in_colour(0);
    background(p);
    attributes(MD_REPLACE, FIS_HOLLOW, 1, 3);
    p.draw();
    c.edge = in_colour(3);
    if (p.kind == LINES)
        c.edge.assign(c.on.size(), false);
    return c;
}

// What `mode` makes of pixel i, background `b`, in colour c.
int expected(const Primitive &p, const Cover &k, int mode, size_t i, int b, int c)
{
    int x = (int)i % screen->w, y = (int)i / screen->w;
    bool on = k.on[i], off = p.kind == LINES ? (bool)k.off[i] : false;
    bool bit = p.kind == LINES ? true : pattern_bit(x, y);
    if (mode == MD_XOR)
        return k.edge[i] || (on && bit) ? b ^ 1 : b;
    int v = b;
    if (on || off) {
        bool set = on && bit;
        if (mode == MD_REPLACE)
            v = set ? c : 0;
        else if (mode == MD_TRANS && set)
            v = c;
        else if (mode == MD_ERASE && !set)
            v = c;
    }
    if (k.edge[i] && mode != MD_ERASE)
        v = c;
    return v;
}

class VdiModes : public VdiDraw {};

TEST_F(VdiModes, EachCallInEachModeTouchesExactlyWhatTheModeSays)
{
    for (const Primitive &p : primitives()) {
        Cover k = cover(p);
        ASSERT_GT(count(k.on), 20) << p.name;
        for (int mode : {MD_REPLACE, MD_TRANS, MD_XOR, MD_ERASE}) {
            SCOPED_TRACE(std::string(p.name) + " mode " + std::to_string(mode));
            background(p);
            Pixels before = pixels(screen);
            attributes(mode, FIS_USER, 1, 6);
            p.draw();
            Pixels after = pixels(screen);
            int wrong = 0;
            size_t first = 0;
            for (size_t i = 0; i < after.size(); i++)
                if (after[i] != expected(p, k, mode, i, before[i], 6) && !wrong++)
                    first = i;
            EXPECT_EQ(wrong, 0) << "first at (" << first % 320 << ", " << first / 320 << ")";
        }
    }
}

TEST_F(VdiModes, XorTwiceRestoresTheScreen)
{
    for (const Primitive &p : primitives()) {
        background(p);
        Pixels before = pixels(screen);
        attributes(MD_XOR, FIS_SOLID, 1, 6);
        p.draw();
        EXPECT_NE(pixels(screen), before) << p.name;
        p.draw();
        EXPECT_EQ(pixels(screen), before) << p.name;
    }
}

TEST_F(VdiModes, EachCallStaysInTheClipAndMatchesItsUnclippedDrawingThere)
{
    const short clips[4][4] = {
        {80, 0, 319, 199}, {0, 0, 80, 199}, {0, 60, 319, 199}, {0, 0, 319, 60}};
    for (const Primitive &p : primitives()) {
        background(p);
        attributes(MD_REPLACE, FIS_USER, 1, 6);
        p.draw();
        Pixels whole = pixels(screen);
        for (const auto &clip : clips) {
            SCOPED_TRACE(std::string(p.name) + " clip x " + std::to_string(clip[0]) + ".." +
                         std::to_string(clip[2]) + " y " + std::to_string(clip[1]) + ".." +
                         std::to_string(clip[3]));
            background(p);
            Pixels before = pixels(screen);
            vs_clip(handle, 1, clip);
            p.draw();
            vs_clip(handle, 0, nullptr);
            Pixels after = pixels(screen);
            int wrong = 0;
            for (size_t i = 0; i < after.size(); i++) {
                int x = (int)i % 320, y = (int)i / 320;
                bool inside = x >= clip[0] && x <= clip[2] && y >= clip[1] && y <= clip[3];
                wrong += after[i] != (inside || !p.clipped ? whole[i] : before[i]);
            }
            EXPECT_EQ(wrong, 0);
        }
    }
}

// Window frames set an Allegro clip on the screen before drawing: every call
// stays inside it too, and leaves it, and the solid drawing mode, as it was.
TEST_F(VdiModes, AllegroClipOnTheScreenIsHonouredAndKept)
{
    for (const Primitive &p : primitives()) {
        background(p);
        Pixels before = pixels(screen);
        attributes(MD_XOR, FIS_USER, 1, 6);
        set_clip_rect(screen, 60, 40, 100, 80);
        p.draw();
        int x1, y1, x2, y2;
        get_clip_rect(screen, &x1, &y1, &x2, &y2);
        EXPECT_EQ(x1, 60) << p.name;
        EXPECT_EQ(y2, 80) << p.name;
        set_clip_rect(screen, 0, 0, 319, 199);
        Pixels after = pixels(screen);
        int outside = 0;
        for (size_t i = 0; i < after.size(); i++) {
            int x = (int)i % 320, y = (int)i / 320;
            outside += after[i] != before[i] && (x < 60 || x > 100 || y < 40 || y > 80);
        }
        EXPECT_EQ(outside, 0) << p.name;
        putpixel(screen, 0, 0, 5);  // solid again: written, not XORed or patterned
        putpixel(screen, 0, 0, 5);
        EXPECT_EQ(getpixel(screen, 0, 0), 5) << p.name;
    }
}

}  // namespace
