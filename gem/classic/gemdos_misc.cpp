// GEMDOS clock, memory and process calls.
#include <stdlib.h>
#include <time.h>

#include <map>

#include "gem/classic/gemdos.h"
#include "gem/classic/internal.h"

namespace {

// What Malloc(-1) reports and the most one block may hold: far more than
// any classic machine had, little enough that a program which takes "all
// free memory" for its own heap does not take the host's.
constexpr long LARGEST_BLOCK = 16L * 1024 * 1024;

// The blocks Malloc gave, with their sizes, so that Mfree and Mshrink can
// tell them from other addresses.
std::map<void *, long> &blocks()
{
    static std::map<void *, long> all;
    return all;
}

// The stack value Super(0) returns for the program to hand back.
constexpr long USER_STACK = 0x4000;
bool supervisor;

}  // namespace

unsigned short _gemc_dos_date(time_t when)
{
    struct tm t;
    if (!localtime_r(&when, &t) || t.tm_year < 80)
        return 0;
    const int year = t.tm_year - 80 > 127 ? 127 : t.tm_year - 80;
    return (unsigned short)(year << 9 | (t.tm_mon + 1) << 5 | t.tm_mday);
}

unsigned short _gemc_dos_time(time_t when)
{
    struct tm t;
    if (!localtime_r(&when, &t))
        return 0;
    return (unsigned short)(t.tm_hour << 11 | t.tm_min << 5 | t.tm_sec / 2);
}

long gemc_Tgetdate(void) { return _gemc_dos_date(time(nullptr)); }

long gemc_Tgettime(void) { return _gemc_dos_time(time(nullptr)); }

// The host's clock is not the program's to set.
long gemc_Tsetdate(int date)
{
    (void)date;
    return GEMC_EACCDN;
}

long gemc_Tsettime(int time)
{
    (void)time;
    return GEMC_EACCDN;
}

// The address of a new block, or 0 when none is given.
long gemc_Malloc(long size)
{
    if (size == -1)
        return LARGEST_BLOCK;
    if (size <= 0 || size > LARGEST_BLOCK)
        return 0;
    void *block = malloc((size_t)size);
    if (!block)
        return 0;
    blocks()[block] = size;
    return (long)block;
}

long gemc_Mfree(void *block)
{
    const auto it = blocks().find(block);
    if (it == blocks().end())
        return GEMC_EIMBA;
    free(block);
    blocks().erase(it);
    return 0;
}

// The block stays where it is, as the classic call keeps it: only its
// recorded size shrinks.
long gemc_Mshrink(void *block, long size)
{
    const auto it = blocks().find(block);
    if (it == blocks().end())
        return GEMC_EIMBA;
    if (size < 0 || size > it->second)
        return GEMC_EGSBF;
    it->second = size;
    return 0;
}

// There is no processor mode to change: Super(1) tells the mode the program
// believes it is in, Super(0) enters it and Super(stack) leaves it.
long gemc_Super(long stack)
{
    if (stack == 1)
        return supervisor ? -1 : 0;
    if (stack == 0) {
        supervisor = true;
        return USER_STACK;
    }
    supervisor = false;
    return 0;
}

long gemc_Supexec(long (*routine)(void)) { return routine ? routine() : 0; }

void gemc_Pterm(int code) { exit(code); }
