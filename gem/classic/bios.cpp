// The console calls (GEMDOS C* and BIOS Bcon*), Vsync, Random and Kbshift.
//
// A classic program on a GEM screen types on the GEM keyboard, so once
// appl_init has run the console reads its keys from the layer's key polling
// (the scripted keys under the headless layer); before that it reads the
// terminal. What the console writes goes to standard output either way.
#include <poll.h>
#include <stdio.h>
#include <time.h>
#include <unistd.h>

#include <cstring>

#include "gem/classic/internal.h"
#include "gem/classic/keys.h"

namespace {

// BIOS devices: the printer, the serial port, the console, MIDI, the
// keyboard processor and the console without control codes.
constexpr int CON = 2, RAWCON = 5;

bool layer_running() { return _mousebmp != nullptr; }

bool is_console(int device) { return device == CON || device == RAWCON; }

// A key as the console reports it: the scan code in bits 16 to 23, the
// character in bits 0 to 7.
long console_code(int classic) { return (long)(classic & 0xFF00) << 8 | (classic & 0xFF); }

long wait_key()
{
    if (layer_running())
        return console_code(_gemc_key_classic(evnt_keybd()));
    const int c = getchar();
    return c == EOF ? 0 : console_code(_gemc_key_classic(c == '\n' ? K_RETURN : c));
}

bool key_waiting()
{
    if (layer_running())
        return _gemio->keypressed() != 0;
    struct pollfd in = {0, POLLIN, 0};
    return poll(&in, 1, 0) > 0;
}

void put_char(int c)
{
    putchar(c & 0xFF);
    fflush(stdout);
}

// The first tick of the next 1/60 s frame after `now`.
uint32_t next_frame(uint32_t now)
{
    const uint64_t frame = (uint64_t)now * 60 / 1000 + 1;
    return (uint32_t)((frame * 1000 + 59) / 60);
}

}  // namespace

long gemc_Cnecin(void) { return wait_key(); }

long gemc_Crawcin(void) { return wait_key(); }

// Echoes the character it read.
long gemc_Cconin(void)
{
    const long key = wait_key();
    if (key & 0xFF)
        put_char((int)(key & 0xFF));
    return key;
}

long gemc_Cconis(void) { return key_waiting() ? -1 : 0; }

long gemc_Cconout(int c)
{
    put_char(c);
    return 0;
}

long gemc_Cconws(const char *text)
{
    if (!text)
        return 0;
    const size_t n = fwrite(text, 1, strlen(text), stdout);
    fflush(stdout);
    return (long)n;
}

// The other devices have nothing attached: nothing waits on them, reading
// one fails and what is sent to one is dropped.
long gemc_Bconin(int device) { return is_console(device) ? wait_key() : GEMC_EUNDEV; }

long gemc_Bconout(int device, int c)
{
    if (is_console(device))
        put_char(c);
    return 0;
}

long gemc_Bconstat(int device) { return is_console(device) && key_waiting() ? -1 : 0; }

// Waits for the start of the next 1/60 s frame on the layer's clock and
// shows what was drawn; without the layer, one frame's time.
void gemc_Vsync(void)
{
    if (!layer_running()) {
        const struct timespec frame = {0, 1000000000L / 60};
        nanosleep(&frame, nullptr);
        return;
    }
    const uint32_t start = (uint32_t)_timer, span = next_frame(start) - start;
    _idle_deadline((int32_t)(start + span));
    while ((uint32_t)_timer - start < span)
        _idle();
    _gemio->present();
}

// The classic generator: 24 bits of a 32-bit linear congruence, seeded from
// the clock.
long gemc_Random(void)
{
    static uint32_t seed = (uint32_t)time(nullptr);
    seed = seed * 3141592621u + 1;
    return (long)(seed >> 8 & 0xFFFFFF);
}

// The modifiers in the classic bits, which are the layer's: right shift 1,
// left shift 2, control 4, alternate 8. They cannot be set.
long gemc_Kbshift(int mode)
{
    (void)mode;
    if (!layer_running())
        return 0;
    short state = 0;
    graf_mkstate(nullptr, nullptr, nullptr, &state);
    return state;
}
