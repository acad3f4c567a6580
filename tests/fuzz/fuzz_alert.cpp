// Fuzzing alert strings: any bytes, as a string, run through form_alert on
// the memory screen and answered by the script below. Each alert must end
// with a button that was shown, give its saved area back and leave the
// screen as it was.
//
// The first byte chooses the default button (0 to 3 and beyond) and which
// button the click goes to; the rest is the alert string.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include <vector>

#include "gem/internal.h"

namespace {

constexpr int32_t GIVE_UP = 2000;  // ticks: an alert still open by then hangs

int32_t started;
int target;  // button the click goes to, 0 to 2
bool return_sent;

int script_keypressed(void) { return !return_sent && _timer - started >= 1; }

int script_readkey(void)
{
    return_sent = true;
    return KEY_ENTER << 8 | 13;
}

// Centre of the shown button nearest to `target`.
void aim(int *x, int *y)
{
    int k = target;
    while (k > 0 && (_alertbox[7 + k].ob_flags & OF_HIDDEN))
        k--;
    const OBJECT &root = _alertbox[0], &b = _alertbox[7 + k];
    *x = root.ob_x + b.ob_x + b.ob_width / 2;
    *y = root.ob_y + b.ob_y + b.ob_height / 2;
}

// After the Return key, a click on a button; the clock advances one tick a
// poll.
void script_idle(void)
{
    _timer++;
    const int32_t t = _timer - started;
    if (t == 3) {
        int x, y;
        aim(&x, &y);
        mouse_x = x;
        mouse_y = y;
    } else if (t == 5)
        mouse_b = 1;
    else if (t == 7)
        mouse_b = 0;
    else if (t > GIVE_UP)
        __builtin_trap();  // the alert never ended
}

GEM_IO script_io;

// The screen before the first alert: each alert must leave it so.
std::vector<unsigned char> first_screen;

void keep_screen()
{
    first_screen.resize((size_t)screen->w * screen->h);
    for (int y = 0; y < screen->h; y++)
        memcpy(&first_screen[(size_t)y * screen->w], screen->line[y], (size_t)screen->w);
}

bool screen_as_first()
{
    const size_t w = (size_t)screen->w;
    for (int y = 0; y < screen->h; y++)
        if (memcmp(screen->line[y], &first_screen[y * w], w) != 0)
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    (void)argc;
    (void)argv;
    script_io = _memory_io;
    script_io.keypressed = script_keypressed;
    script_io.readkey = script_readkey;
    script_io.idle = script_idle;
    _gemio = &script_io;
    appl_init(0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const int default_button = data[0] % 6 - 1;
    target = data[0] / 6 % 3;
    std::vector<char> alert(data + 1, data + size);
    alert.push_back('\0');

    started = _timer;
    return_sent = false;
    mouse_x = mouse_y = mouse_b = 0;
    _mouse_event();
    if (first_screen.empty())
        keep_screen();

    const int button = form_alert(default_button, alert.data());
    if (button < 1 || button > 3 || (_alertbox[6 + button].ob_flags & OF_HIDDEN))
        __builtin_trap();  // ended by a button the user could not see
    if (_rno != -1 || !screen_as_first())
        __builtin_trap();  // the saved area was not given back
    return 0;
}
