#include "headless.h"

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

}  // namespace

namespace headless {

void start(int rez)
{
    clear_script();
    mouse(0, 0, 0);
    for (int k = 0; k < KEY_MAX; k++)
            ::key[k] = 0;
    handle = 0;
    if (!started) {
        scripted_io = _memory_io;
        scripted_io.keypressed = scripted_keypressed;
        scripted_io.readkey = scripted_readkey;
        scripted_io.idle = scripted_idle;
        _gemio = &scripted_io;
        appl_init(rez);
        started = true;
    } else {
        Setscreen(-1, rez);
    }
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

void clear_script()
{
    pending.clear();
    keys.clear();
    idle_count = 0;
}

long idles() { return idle_count; }

}  // namespace headless
