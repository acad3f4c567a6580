// What the GEMDOS calls of the classic profile share: the attribute bits of
// a Linux file and the classic packing of a date and a time of day.
#pragma once

#include <sys/types.h>
#include <time.h>

// FA_* bits of a file named `name` with mode `mode`: FA_SUBDIR for a
// directory, FA_HIDDEN for a name starting with '.', FA_READONLY without
// the owner's write permission, FA_SYSTEM for what is neither file nor
// directory (devices, sockets, pipes).
int _gemc_attributes(const char *name, mode_t mode);

// (year - 1980) << 9 | month << 5 | day; 0 before 1980.
unsigned short _gemc_dos_date(time_t when);

// hour << 11 | minute << 5 | second / 2.
unsigned short _gemc_dos_time(time_t when);
