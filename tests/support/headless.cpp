#include "headless.h"

#include <algorithm>
#include <deque>
#include <utility>
#include <vector>

namespace {

struct Pending {
    int32_t when;
    std::function<void()> action;
};

std::vector<Pending> pending;
std::deque<int> keys;
long idle_count;
bool started;

int scripted_keypressed() { return !keys.empty(); }

int scripted_readkey()
{
    if (keys.empty())
        return 0;
    int k = keys.front();
    keys.pop_front();
    return k;
}

void play_due()
{
    // Actions may schedule further actions: take the due ones out first.
    std::vector<Pending> due;
    for (auto it = pending.begin(); it != pending.end();) {
        if ((int32_t)((uint32_t)it->when - (uint32_t)_timer) <= 0) {
            due.push_back(std::move(*it));
            it = pending.erase(it);
        } else {
            ++it;
        }
    }
    for (auto &p : due)
        p.action();
}

void scripted_idle()
{
    ++idle_count;
    _timer = (int32_t)((uint32_t)_timer + 1u);
    play_due();
}

GEM_IO scripted_io;

// The scaled view's window, as the X path would open it for factor
// scale_k.
BITMAP *fake_window;
int scale_k;

void scaled_set_mode(int w, int h)
{
    _view_close();
    if (screen == fake_window)
        screen = nullptr;
    if (fake_window)
        destroy_bitmap(fake_window);
    fake_window = create_bitmap(w * scale_k, h * scale_k);
    clear_to_color(fake_window, 0);
    screen = fake_window;
    _view_open(scale_k);
}

void use_io(const GEM_IO &io)
{
    scripted_io = io;
    scripted_io.keypressed = scripted_keypressed;
    scripted_io.readkey = scripted_readkey;
    scripted_io.idle = scripted_idle;
}

// Back to the plain memory screen after a scaled test.
void unscale()
{
    if (!fake_window)
        return;
    _view_close();
    screen = nullptr;
    destroy_bitmap(fake_window);
    fake_window = nullptr;
    use_io(_memory_io);
}

// The built-in trees as start-up leaves them: dialogs rewrite their trees,
// texts and records, and each test starts from the factory state.
struct BuiltinTree {
    OBJECT *tree;
    int objects;
    std::vector<OBJECT> saved;
};
BuiltinTree builtin[3];
std::vector<TEDINFO *> builtin_teds;
std::vector<TEDINFO> saved_teds;
constexpr size_t BUILTIN_STRINGS = 1006;  // the image's string area
std::vector<unsigned char> saved_strings;

void save_builtin()
{
    builtin[0] = {_fselbox, 48, {}};
    builtin[1] = {_alertbox, 10, {}};
    builtin[2] = {_inputbox, 4, {}};
    for (BuiltinTree &t : builtin)
        t.saved.assign(t.tree, t.tree + t.objects);
    builtin_teds = {(TEDINFO *)_fselbox[2].ob_spec, (TEDINFO *)_fselbox[4].ob_spec,
                    (TEDINFO *)_inputbox[1].ob_spec};
    for (TEDINFO *t : builtin_teds)
        saved_teds.push_back(*t);
    saved_strings.assign(_guirsh + 14, _guirsh + 14 + BUILTIN_STRINGS);
}

void restore_builtin()
{
    for (BuiltinTree &t : builtin)
        std::copy(t.saved.begin(), t.saved.end(), t.tree);
    for (size_t i = 0; i < builtin_teds.size(); i++)
        *builtin_teds[i] = saved_teds[i];
    std::copy(saved_strings.begin(), saved_strings.end(), _guirsh + 14);
}

}  // namespace

namespace headless {

void start(int rez)
{
    _wind_reset();
    _msg_clear();
    close_dialogs();
    clear_script();
    mouse(0, 0, 0);
    for (int k = 0; k < KEY_MAX; k++)
        ::key[k] = 0;
    handle = 0;
    if (!started) {
        use_io(_memory_io);
        _gemio = &scripted_io;
        appl_init(rez);
        save_builtin();
        started = true;
    } else {
        unscale();
        Setscreen(-1, rez);
        restore_builtin();
    }
}

void start_scaled(int rez, int k)
{
    start(rez);
    GEM_IO io = _memory_io;
    io.set_mode = scaled_set_mode;
    io.mouse = _view_mouse;
    io.warp = _view_warp;
    io.cursor = _view_cursor;
    io.present = _view_present;
    use_io(io);
    scale_k = k;
    Setscreen(-1, rez);
}

BITMAP *window() { return fake_window; }

void start_at(int x, int y)
{
    start(0);
    mouse(x, y, 0);
    _mouse_event();
    clear_script();
}

void after(int32_t ticks, std::function<void()> action)
{
    pending.push_back({(int32_t)((uint32_t)_timer + (uint32_t)ticks), std::move(action)});
}

void key(int scancode, int character) { keys.push_back(scancode << 8 | (character & 0xFF)); }

void mouse(int x, int y, int buttons)
{
    mouse_x = x;
    mouse_y = y;
    mouse_b = buttons;
}

void click(int32_t at, int x, int y, int buttons)
{
    after(at, [=] { mouse(x, y, 0); });
    after(at + 2, [=] { mouse(x, y, buttons); });
    after(at + 4, [=] { mouse(x, y, 0); });
}

std::vector<unsigned char> screen_pixels()
{
    std::vector<unsigned char> v;
    for (int y = 0; y < screen->h; y++)
        v.insert(v.end(), screen->line[y], screen->line[y] + screen->w);
    return v;
}

void close_dialogs()
{
    while (_rno >= 0)
        form_dial(3, 0, 0, 0, 0, 0, 0, 0, 0);
}

void clear_script()
{
    pending.clear();
    keys.clear();
    idle_count = 0;
}

long idles() { return idle_count; }

}  // namespace headless
