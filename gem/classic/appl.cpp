// The classic application calls: appl_init with no argument (the screen
// from GEM_SCREEN), an appl_exit that returns, and the message, search,
// information and recording calls with outs of the program's widths.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "gem/classic/appl.h"
#include "gem/classic/internal.h"

// Weak: a classic program may define these WORDs itself; the profile
// then writes into the program's.
__attribute__((weak)) short gl_apid = 0;
__attribute__((weak)) short gl_ap_version = 0;

namespace {

// AES 1.40: the set of calls (and the meanings) the profile gives; programs
// that test for a later AES before using its calls keep to these.
constexpr short AES_VERSION = 0x0140;

constexpr int MESSAGE_WORDS = 8;
constexpr int MAX_WORDS = MESSAGE_WORDS * GEM_QUEUE_SIZE;

// The layer is up while its cursor sprite exists: from appl_init to
// appl_exit.
bool layer_up() { return _mousebmp != NULL; }

// The words of `length` bytes of messages, when they are whole messages
// the queue can hold; else 0.
int message_words(int length)
{
    const int bytes = MESSAGE_WORDS * (int)sizeof(short);
    if (length <= 0 || length % bytes || length / 2 > MAX_WORDS)
        return 0;
    return length / 2;
}

}  // namespace

int _gemc_screen_rez(const char *value)
{
    static const struct {
        const char *name;
        int rez;
    } modes[] = {{"320x200", 0}, {"640x480", 1}, {"800x600", 2}};
    if (!value || !*value)
        return 1;
    for (const auto &m : modes)
        if (strcmp(value, m.name) == 0)
            return m.rez;
    fprintf(stderr, "gem: GEM_SCREEN=%.40s is not 320x200, 640x480 or 800x600: 640x480 it is\n",
            value);
    return 1;
}

int gemc_appl_init(void)
{
    if (!layer_up())
        appl_init(_gemc_screen_rez(getenv("GEM_SCREEN")));
    gl_apid = 0;
    gl_ap_version = AES_VERSION;
    return gl_apid;
}

// What the layer's appl_exit does, without ending the process.
int gemc_appl_exit(void)
{
    if (!layer_up())
        return 0;
    destroy_bitmap(_mousebmp);
    _mousebmp = NULL;
    _gemio->stop();
    return 1;
}

int gemc_appl_write(int apid, int length, GEMC_REF buffer)
{
    const int words = message_words(length);
    if (!words || !buffer.p)
        return 0;
    short copy[MAX_WORDS];
    for (int i = 0; i < words; i++)
        copy[i] = (short)gemc_get(buffer, i);
    return appl_write(apid, length, copy);
}

int gemc_appl_read(int apid, int length, GEMC_REF buffer)
{
    const int words = message_words(length);
    if (!words || !buffer.p)
        return 0;
    short copy[MAX_WORDS];
    if (!appl_read(apid, length, copy))
        return 0;
    for (int i = 0; i < words; i++)
        gemc_put(buffer, i, copy[i]);
    return 1;
}

int gemc_appl_search(int mode, char *name, GEMC_REF type, GEMC_REF apid)
{
    short t = 0, id = 0;
    const int found = appl_search(mode, name, &t, &id);
    if (found) {
        gemc_put(type, 0, t);
        gemc_put(apid, 0, id);
    }
    return found;
}

int gemc_appl_getinfo(int type, GEMC_REF out1, GEMC_REF out2, GEMC_REF out3, GEMC_REF out4)
{
    short out[4] = {0, 0, 0, 0};
    const int known = appl_getinfo(type, &out[0], &out[1], &out[2], &out[3]);
    if (known) {
        const GEMC_REF refs[4] = {out1, out2, out3, out4};
        for (int i = 0; i < 4; i++)
            gemc_put(refs[i], 0, out[i]);
    }
    return known;
}

// The classic record is the layer's: two LONGs, and LONG is long.
static_assert(sizeof(GEMC_EVNTREC) == sizeof(EVNTREC), "the same record");

int gemc_appl_trecord(void *events, int count)
{
    return appl_trecord(static_cast<EVNTREC *>(events), count);
}

int gemc_appl_tplay(void *events, int count, int speed)
{
    return appl_tplay(static_cast<const EVNTREC *>(events), count, speed);
}
