// Recording the user's input as EVNTREC events (appl_trecord) and playing
// it back (appl_tplay).
//
// The events and their values, in the classic layouts:
//   APPEVNT_TIMER     the milliseconds since the previous event
//   APPEVNT_BUTTON    the buttons down (bit 0 left, bit 1 right) in the low
//                     word, the presses (1 for a press, 0 for a release) in
//                     the high word
//   APPEVNT_MOUSE     y << 16 | x, screen pixels
//   APPEVNT_KEYBOARD  the layer's key code in the low word, the modifier
//                     keys (K_*) in the high word
//
// Playback stands in the platform seam: while events remain, the pointer,
// the buttons and the keys each poll sees are the played ones, so that
// whatever waits for input (evnt_multi, form_do, a menu) reacts to them as
// to the user. appl_tplay only starts it; the events play, on the layer's
// clock, while the program polls. The modifier keys of a keyboard event are
// recorded but not played: the poll reads them from the keyboard itself.
#include <stdint.h>

#include <algorithm>
#include <deque>
#include <new>
#include <vector>

#include "gem/internal.h"

namespace {

// Poll kinds bits.
constexpr short MOVED = 0x01;
constexpr short LEFT_BOTH = 0x02 | 0x04;
constexpr short RIGHT_BOTH = 0x08 | 0x10;
constexpr short PRESSES = 0x02 | 0x08;
constexpr short BUTTONS = LEFT_BOTH | RIGHT_BOTH;
constexpr short KEY_READ = 0x80;

long word_pair(unsigned high, unsigned low)
{
    return (long)((high & 0xFFFFu) << 16 | (low & 0xFFFFu));
}

// ---- Recording -------------------------------------------------------------

class Recorder {
public:
    Recorder(EVNTREC *events, int count) : events_(events), count_(count) {}

    bool full() const { return n_ == count_; }
    int recorded() const { return n_; }

    // What the last poll saw: the time since the previous event first, then
    // the pointer, the buttons and the key, in the order the poll read them.
    void poll()
    {
        const short kinds = _mevent.kinds;
        if (!(kinds & (MOVED | BUTTONS | KEY_READ)))
            return;
        const uint32_t gap = (uint32_t)_mevent.time - last_;
        last_ = (uint32_t)_mevent.time;
        if (gap)
            add(APPEVNT_TIMER, (long)gap);
        if (kinds & MOVED)
            add(APPEVNT_MOUSE, word_pair((unsigned)_mevent.y, (unsigned)_mevent.x));
        buttons(kinds);
        if (kinds & KEY_READ)
            add(APPEVNT_KEYBOARD, word_pair((unsigned)_mevent.kbstat, (unsigned)_mevent.key));
    }

private:
    // A button pressed and released between two polls becomes a press and
    // a release, so that playback clicks it too.
    void buttons(short kinds)
    {
        const unsigned now = (unsigned)_mevent.buttons & 3;
        unsigned quick = 0;
        if ((kinds & LEFT_BOTH) == LEFT_BOTH)
            quick |= 1;
        if ((kinds & RIGHT_BOTH) == RIGHT_BOTH)
            quick |= 2;
        if (quick) {
            add(APPEVNT_BUTTON, word_pair(1, now | quick));
            add(APPEVNT_BUTTON, word_pair(0, now));
        } else if (kinds & BUTTONS) {
            add(APPEVNT_BUTTON, word_pair((kinds & PRESSES) ? 1 : 0, now));
        }
    }

    void add(long kind, long value)
    {
        if (n_ < count_)
            events_[n_++] = EVNTREC{kind, value};
    }

    EVNTREC *events_;
    int count_;
    int n_ = 0;
    uint32_t last_ = (uint32_t)_timer;
};

// ---- Playback --------------------------------------------------------------

// The readkey() value that the poll turns into the layer's key code `code`.
int raw_key(int code)
{
    if (code >= K_F1 && code <= K_F12)
        return (code - K_F1 + KEY_F1) << 8;
    switch (code) {
    case K_UP: return KEY_UP << 8;
    case K_LEFT: return KEY_LEFT << 8;
    case K_RIGHT: return KEY_RIGHT << 8;
    case K_DOWN: return KEY_DOWN << 8;
    case K_DELETE: return KEY_DEL << 8 | 127;
    default: return code & 0xFF;
    }
}

constexpr int32_t LONGEST_GAP = INT32_MAX / 2;  // ticks; a damaged gap waits no longer

struct Player {
    std::vector<EVNTREC> events;
    size_t next = 0;
    uint32_t due = 0;  // when events[next] may play
    int speed = 100;

    bool pointer_played = false;
    short x = 0, y = 0;
    bool buttons_played = false;
    int buttons = 0;
    bool buttons_polled = true;  // the last button change was seen by a poll
    std::deque<int> keys;

    GEM_IO io;
    GEM_IO *inner = nullptr;  // the seam playback stands in
};

Player player;

bool playing() { return _gemio == &player.io; }

void play(const EVNTREC &e)
{
    switch (e.ap_event) {
    case APPEVNT_TIMER: {
        const int64_t gap = std::clamp<int64_t>(e.ap_value, 0, LONGEST_GAP) * 100 / player.speed;
        player.due += (uint32_t)std::min<int64_t>(gap, LONGEST_GAP);
        break;
    }
    case APPEVNT_BUTTON:
        player.buttons = (int)(e.ap_value & 3);
        player.buttons_played = true;
        player.buttons_polled = false;
        break;
    case APPEVNT_MOUSE:
        player.x = (short)std::clamp<long>(e.ap_value & 0xFFFF, 0, screen->w - 1);
        player.y = (short)std::clamp<long>((e.ap_value >> 16) & 0xFFFF, 0, screen->h - 1);
        player.pointer_played = true;
        player.inner->warp(player.x, player.y);  // the real pointer follows
        break;
    case APPEVNT_KEYBOARD: player.keys.push_back(raw_key((int)(e.ap_value & 0xFFFF))); break;
    default: break;  // not an event: skipped
    }
}

// Plays every event that is due. A button change waits for a poll to have
// seen the one before it, so that no press and release cancel out unseen.
void advance()
{
    while (player.next < player.events.size()) {
        if ((int32_t)((uint32_t)_timer - player.due) < 0)
            return;
        const EVNTREC &e = player.events[player.next];
        if (e.ap_event == APPEVNT_BUTTON && !player.buttons_polled)
            return;
        player.next++;
        play(e);
    }
}

int played_keypressed(void)
{
    advance();
    return !player.keys.empty() || player.inner->keypressed();
}

int played_readkey(void)
{
    if (player.keys.empty())
        return player.inner->readkey();
    const int k = player.keys.front();
    player.keys.pop_front();
    return k;
}

// The poll reads the buttons right after the pointer: both are set here.
// Once every event has played and been polled, the seam is given back.
void played_mouse(short *x, short *y)
{
    advance();
    if (player.pointer_played) {
        *x = player.x;
        *y = player.y;
    } else {
        player.inner->mouse(x, y);
    }
    if (player.buttons_played)
        mouse_b = player.buttons;
    player.buttons_polled = true;
    if (player.next == player.events.size() && player.keys.empty() && playing())
        _gemio = player.inner;
}

}  // namespace

int appl_trecord(EVNTREC *events, int count)
{
    if (!events || count <= 0)
        return 0;
    Recorder recorder(events, count);
    for (;;) {
        _mouse_event();
        recorder.poll();
        if (recorder.full())
            return recorder.recorded();
        _idle();
    }
}

// Speed is the classic scale: 100 plays as recorded, 200 twice as fast, 50
// at half speed; it is kept within 1 to 10000. A new playback replaces one
// still under way, whose buttons go up.
int appl_tplay(const EVNTREC *events, int count, int speed)
{
    if (!events || count <= 0)
        return 0;
    try {
        player.events.assign(events, events + count);
    } catch (const std::bad_alloc &) {
        return 0;
    }
    if (!playing())
        player.inner = _gemio;
    else if (player.buttons_played)
        mouse_b = 0;  // the buttons the replaced playback held go up
    player.next = 0;
    player.due = (uint32_t)_timer;
    player.speed = std::clamp(speed, 1, 10000);
    player.pointer_played = player.buttons_played = false;
    player.buttons_polled = true;
    player.keys.clear();
    player.io = *player.inner;
    player.io.keypressed = played_keypressed;
    player.io.readkey = played_readkey;
    player.io.mouse = played_mouse;
    _gemio = &player.io;
    return 1;
}
