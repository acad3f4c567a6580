// The double-click speed: how long after a press a second one still counts
// as part of the same click.
#include "gem/internal.h"

namespace {

// Milliseconds of each speed, slowest first.
constexpr short GAPS[] = {450, 330, 275, 220, 165};
constexpr int DEFAULT_RATE = 2;

int rate = DEFAULT_RATE;

}  // namespace

int evnt_dclick(int new_rate, int set)
{
    if (set == 1 && new_rate >= 0 && new_rate <= 4)
        rate = new_rate;
    return rate;
}

int _dclick_ms(void) { return GAPS[rate]; }
