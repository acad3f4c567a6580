// The application's message queue: menu choices, window messages and the
// display's close request wait here, first in, first out, until the
// program waits for messages in evnt_multi or evnt_mesag.
//
// The queue holds GEM_MESSAGES messages besides redraws, and one WM_REDRAW
// per window on top of that: a redraw for a window that has one queued
// enlarges that one to the rectangle around both, so redraws always find
// room. Any other message that finds the queue full is refused, and the
// one who posted it is told (a user action is then not acted on).
#include <string.h>

#include <algorithm>
#include <atomic>

#include "gem/internal.h"

namespace {

struct Message {
    short words[8];
    unsigned char written;  // bit k: word k is handed over
};

constexpr int CAPACITY = GEM_QUEUE_SIZE;
Message queue[CAPACITY];
int queued;

// Set by the display's close button, from the library's own thread.
std::atomic<bool> term_asked{false};

bool is_redraw(const Message &m) { return m.words[0] == WM_REDRAW; }

bool is_window_message(const Message &m)
{
    return m.words[0] >= WM_REDRAW && m.words[0] <= WM_NEWTOP;
}

// The rectangle around two x, y, w, h rectangles; an empty one adds nothing.
void enlarge(short *into, const short *add)
{
    if (add[2] <= 0 || add[3] <= 0)
        return;
    if (into[2] <= 0 || into[3] <= 0) {
        memcpy(into, add, 4 * sizeof *add);
        return;
    }
    const int x1 = std::min(into[0], add[0]), y1 = std::min(into[1], add[1]);
    const int x2 = std::max(into[0] + into[2], add[0] + add[2]);
    const int y2 = std::max(into[1] + into[3], add[1] + add[3]);
    into[0] = (short)x1;
    into[1] = (short)y1;
    into[2] = (short)(x2 - x1);
    into[3] = (short)(y2 - y1);
}

// Removes the messages `drop` chooses, keeping the others' order.
template <typename Drop>
void remove_if(Drop drop)
{
    queued = (int)(std::remove_if(queue, queue + queued, drop) - queue);
}

}  // namespace

int _msg_post(const short *msg, unsigned written)
{
    if (msg[0] == WM_REDRAW) {
        for (int i = 0; i < queued; i++) {
            if (is_redraw(queue[i]) && queue[i].words[3] == msg[3]) {
                enlarge(queue[i].words + 4, msg + 4);
                return 1;
            }
        }
    } else {
        const long others =
            std::count_if(queue, queue + queued, [](const Message &m) { return !is_redraw(m); });
        if (others >= GEM_MESSAGES)
            return 0;
    }
    if (queued == CAPACITY)
        return 0;
    Message &m = queue[queued++];
    memcpy(m.words, msg, sizeof m.words);
    m.written = (unsigned char)written;
    return 1;
}

int _msg_post_all(const short *msgs, int count)
{
    Message saved[CAPACITY];
    const int saved_queued = queued;
    std::copy(queue, queue + queued, saved);
    for (int i = 0; i < count; i++) {
        if (!_msg_post(msgs + 8 * i, 0xFF)) {
            // Redraws may have been merged into queued ones: the whole queue
            // goes back as it was.
            std::copy(saved, saved + saved_queued, queue);
            queued = saved_queued;
            return 0;
        }
    }
    return 1;
}

int _msg_waiting(void)
{
    if (term_asked.exchange(false)) {
        const short term[8] = {AP_TERM, 0, 0, 0, 0, 0, 0, 0};
        if (!_msg_post(term, 0xFF))
            term_asked = true;  // kept until there is room
    }
    return queued;
}

int _msg_take(short *msg)
{
    if (_msg_waiting() == 0)
        return 0;
    for (int k = 0; k < 8; k++) {
        if (queue[0].written & (1u << k))
            msg[k] = queue[0].words[k];
    }
    std::copy(queue + 1, queue + queued, queue);
    queued--;
    return 1;
}

void _msg_forget(short whandle, int redraws_only)
{
    remove_if([=](const Message &m) {
        return is_window_message(m) && m.words[3] == whandle && (!redraws_only || is_redraw(m));
    });
}

void _msg_move_redraw(short whandle, short dx, short dy)
{
    for (int i = 0; i < queued; i++) {
        if (is_redraw(queue[i]) && queue[i].words[3] == whandle) {
            queue[i].words[4] = (short)(queue[i].words[4] + dx);
            queue[i].words[5] = (short)(queue[i].words[5] + dy);
        }
    }
}

int _msg_count(void) { return queued; }

void _msg_clear(void)
{
    queued = 0;
    term_asked = false;
}

void _ap_term_request(void) { term_asked = true; }
