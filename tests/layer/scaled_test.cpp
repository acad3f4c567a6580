// The screen shown k times larger in a window: the factor chosen for a
// display, the window's pixels against the screen's, the cursor drawn only
// in the window, what each poll copies, and the layer's calls giving the
// same results in screen pixels as on an unscaled screen.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <vector>

#include "support/headless.h"

namespace {

using Pixels = std::vector<unsigned char>;

// The window as it should look: every screen pixel a k x k square, and the
// cursor, when shown, over it with its hot spot on screen pixel (cx, cy).
Pixels expected_window(int k, bool cursor, int cx, int cy)
{
    const int w = screen->w * k, h = screen->h * k;
    Pixels p((size_t)w * h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            unsigned char c = screen->line[y / k][x / k];
            const int sx = x / k - (cx - _mouse.hotx), sy = y / k - (cy - _mouse.hoty);
            if (cursor && sx >= 0 && sx < 16 && sy >= 0 && sy < 16 && _mousebmp->line[sy][sx])
                c = (unsigned char)_mousebmp->line[sy][sx];
            p[(size_t)y * w + x] = c;
        }
    return p;
}

Pixels window_pixels()
{
    BITMAP *win = headless::window();
    Pixels p;
    for (int y = 0; y < win->h; y++)
        p.insert(p.end(), win->line[y], win->line[y] + win->w);
    return p;
}

void fill_pattern()
{
    for (int y = 0; y < screen->h; y++)
        for (int x = 0; x < screen->w; x++)
            screen->line[y][x] = (unsigned char)(16 + (x * 7 + y * 13) % 200);
}

// The pointer on screen pixel (x, y): the middle of its square.
void point(int k, int x, int y, int buttons = 0)
{
    headless::mouse(x * k + k / 2, y * k + k / 2, buttons);
}

class Scaled : public ::testing::Test {
protected:
    void TearDown() override { headless::start(0); }
};

TEST(ScaleFactor, LargestWholeNumberInNinetyPercentOfTheDisplay)
{
    struct Case {
        int dw, dh, w, h, k;
    };
    const Case cases[] = {
        {1280, 800, 320, 200, 3},  {1920, 1080, 320, 200, 4}, {800, 600, 320, 200, 2},
        {800, 600, 640, 480, 1},   {1024, 768, 800, 600, 1},  {3840, 2160, 320, 200, 8},
        {7680, 4320, 320, 200, 8}, {2560, 1600, 640, 480, 3}, {356, 223, 320, 200, 1},
        {355, 222, 320, 200, 1},   // larger, but 90 % of it is not: still a window
        {320, 200, 320, 200, 0},   // no larger: shown as it is
        {1024, 400, 640, 480, 0},  // too low for the mode
        {0, 0, 320, 200, 0},       // size unknown
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.dw << "x" << c.dh << " for " << c.w << "x" << c.h);
        EXPECT_EQ(c.k, _view_scale(c.dw, c.dh, c.w, c.h));
    }
}

TEST_F(Scaled, WindowShowsEachPixelAsASquareAndTheCursorOnlyThere)
{
    struct Case {
        int rez, k;
    };
    for (const Case &c : {Case{0, 2}, Case{0, 3}, Case{0, 4}, Case{0, 8}, Case{1, 2}}) {
        SCOPED_TRACE(testing::Message() << "rez " << c.rez << ", k " << c.k);
        headless::start_scaled(c.rez, c.k);
        ASSERT_EQ(screen->w * c.k, headless::window()->w);
        ASSERT_EQ(screen->h * c.k, headless::window()->h);
        fill_pattern();
        const Pixels drawn = headless::screen_pixels();
        point(c.k, 100, 50);
        _mouse_event();
        EXPECT_EQ(100, _mevent.x);
        EXPECT_EQ(50, _mevent.y);
        EXPECT_EQ(drawn, headless::screen_pixels()) << "the cursor is not in the screen";
        EXPECT_TRUE(window_pixels() == expected_window(c.k, true, 100, 50));
    }
}

TEST_F(Scaled, MouseIsReportedInScreenPixels)
{
    headless::start_scaled(0, 3);
    struct Case {
        int raw_x, raw_y;
        short x, y;
    };
    const Case cases[] = {
        {0, 0, 0, 0},         {2, 2, 0, 0},          {3, 5, 1, 1},   {301, 151, 100, 50},
        {959, 599, 319, 199}, {2000, 900, 319, 199}, {-5, -1, 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.raw_x << "," << c.raw_y);
        short b, x, y;
        headless::mouse(c.raw_x, c.raw_y, 0);
        vq_mouse(0, &b, &x, &y);
        EXPECT_EQ(c.x, x);
        EXPECT_EQ(c.y, y);
    }
}

TEST_F(Scaled, EachPollCopiesOnlyTheTilesThatChanged)
{
    headless::start_scaled(0, 3);
    fill_pattern();
    point(3, 100, 50);
    _mouse_event();
    EXPECT_EQ(320L * 200, _view_copied) << "a new window is copied whole";
    struct Case {
        const char *name;
        std::function<void()> change;
        long copied;  // tiles are 32 x 8 screen pixels
    };
    const Case cases[] = {
        {"nothing", [] {}, 0},
        {"a 4 x 4 bar inside one tile", [] { rectfill(screen, 200, 120, 203, 123, 3); }, 256},
        {"a bar over two tiles side by side", [] { rectfill(screen, 250, 120, 260, 121, 4); }, 512},
        {"a line down one column of tiles", [] { vline(screen, 10, 0, 199, 5); }, 32 * 200},
        // The arrow's hot spot is (1, 1): the cursor spans screen columns
        // 99..115 and rows 49..64, tile column 3 and three rows of tiles.
        {"the pointer one pixel right", [] { point(3, 101, 50); }, 3 * 256},
        {"a new shape with the same hot spot", [] { graf_mouse(3, nullptr); }, 3 * 256},
        {"everything", [] { clear_to_color(screen, 9); }, 320L * 200},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const long before = _view_copied;
        c.change();
        _mouse_event();
        EXPECT_EQ(c.copied, _view_copied - before);
        EXPECT_TRUE(window_pixels() == expected_window(3, true, _mevent.x, _mevent.y));
    }
}

TEST_F(Scaled, CursorIsHiddenAndShownByTheSameRules)
{
    headless::start_scaled(0, 2);
    fill_pattern();
    point(2, 315, 195);  // near the corner: the cursor is cut by the edges
    _mouse_event();
    EXPECT_TRUE(window_pixels() == expected_window(2, true, 315, 195));
    const struct {
        const char *name;
        std::function<void()> call;
        bool shown;
    } steps[] = {
        {"hidden", [] { graf_mouse(M_OFF, nullptr); }, false},
        {"hidden twice", [] { graf_mouse(M_OFF, nullptr); }, false},
        {"one request left", [] { graf_mouse(M_ON, nullptr); }, false},
        {"none left", [] { graf_mouse(M_ON, nullptr); }, true},
        {"logical screen selected", [] { Setscreen(1, 0); }, false},
        {"visible screen again", [] { Setscreen(0, 0); }, true},
    };
    for (const auto &s : steps) {
        SCOPED_TRACE(s.name);
        s.call();
        _mouse_event();
        EXPECT_TRUE(window_pixels() == expected_window(2, s.shown, 315, 195));
    }
}

TEST_F(Scaled, ANewModeOpensANewWindow)
{
    headless::start_scaled(0, 2);
    Setscreen(-1, 1);
    ASSERT_EQ(640, screen->w);
    EXPECT_EQ(1280, headless::window()->w);
    EXPECT_EQ(960, headless::window()->h);
    point(2, 639, 479);
    _mouse_event();
    EXPECT_EQ(640L * 480, _view_copied);
    EXPECT_EQ(639, _mevent.x);
    EXPECT_EQ(479, _mevent.y);
    EXPECT_TRUE(window_pixels() == expected_window(2, true, 639, 479));
}

// The same calls with the same script, in screen pixels, on an unscaled and
// a scaled screen: the same results and the same screen afterwards.
TEST_F(Scaled, CallsGiveTheSameResultsInScreenPixels)
{
    struct Flow {
        const char *name;
        std::function<std::vector<int>(int k)> run;
    };
    auto moves = [](int k, std::vector<std::array<int, 4>> script) {
        for (auto m : script)
            headless::after(m[0], [=] { point(k, m[1], m[2], m[3]); });
    };
    const Flow flows[] = {
        {"rubber band",
         [&](int k) {
             point(k, 55, 45, 1);
             moves(k, {{2, 80, 70, 1}, {4, 100, 90, 1}, {6, 100, 90, 0}});
             short w, h;
             graf_rubberbox(50, 40, 10, 8, &w, &h);
             return std::vector<int>{w, h};
         }},
        {"button click",
         [&](int k) {
             moves(k, {{1, 200, 120, 0}, {3, 200, 120, 1}, {5, 200, 120, 0}});
             short x, y, b, s;
             int n = evnt_button(1, 1, 1, &x, &y, &b, &s);
             return std::vector<int>{n, x, y};
         }},
        {"alert's second button",
         [&](int k) {
             // Drawn from (174, 118), 20 x 12.
             moves(k, {{3, 180, 122, 0}, {5, 180, 122, 1}, {7, 180, 122, 0}});
             return std::vector<int>{form_alert(1, "[1][Line one|Line two][Yes|No]")};
         }},
    };
    for (const Flow &f : flows) {
        SCOPED_TRACE(f.name);
        headless::start(0);
        fill_pattern();
        const std::vector<int> plain = f.run(1);
        const Pixels plain_screen = headless::screen_pixels();
        headless::start_scaled(0, 3);
        fill_pattern();
        EXPECT_EQ(plain, f.run(3));
        EXPECT_EQ(plain_screen, headless::screen_pixels());
    }
}

}  // namespace
