// Messages a program sends itself: appl_write puts whole messages on the
// application's queue and appl_read takes them off, waiting as evnt_mesag
// waits. The program is application 0; a message is eight words, 16 bytes,
// the same that evnt_multi and evnt_mesag hand over.
#include <string.h>

#include "gem/internal.h"

namespace {

constexpr int MESSAGE_BYTES = 8 * sizeof(short);

// The messages in `length` bytes for application `apid`; 0 when the
// request is not one the queue can ever serve: another application, no
// buffer, a length that is not whole messages, or more messages than the
// queue holds at once.
int messages_in(int apid, int length, const void *buffer)
{
    if (apid != 0 || !buffer || length <= 0 || length % MESSAGE_BYTES)
        return 0;
    const int count = length / MESSAGE_BYTES;
    return count <= GEM_QUEUE_SIZE ? count : 0;
}

}  // namespace

int appl_write(int apid, int length, const void *buffer)
{
    const int count = messages_in(apid, length, buffer);
    if (!count)
        return 0;
    short words[8 * GEM_QUEUE_SIZE];
    memcpy(words, buffer, (size_t)count * MESSAGE_BYTES);
    return _msg_post_all(words, count);
}

// Waits until all the messages asked for are queued and then takes them
// together, so a read never ends half done. Words a message does not carry
// (a menu message's words 5 to 7) read as 0.
int appl_read(int apid, int length, void *buffer)
{
    const int count = messages_in(apid, length, buffer);
    if (!count)
        return 0;
    _msg_wait(count);
    unsigned char *out = (unsigned char *)buffer;
    for (int i = 0; i < count; i++) {
        short msg[8] = {0, 0, 0, 0, 0, 0, 0, 0};
        _msg_take(msg);
        memcpy(out + (size_t)i * MESSAGE_BYTES, msg, MESSAGE_BYTES);
    }
    return 1;
}
