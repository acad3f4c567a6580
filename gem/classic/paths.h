// Classic paths ("C:\DIR\FILE.TXT") to Linux paths and back, and the
// classic error code of a failed Linux call.
//
// C: is the one drive and names the Linux root: a path with another letter
// is refused (EDRIVE) rather than read as C:, so that a program copying from
// A: to C: never finds the two the same. Classic programs write names in
// capitals while Linux keeps case, so each part of a path is matched exactly
// first and, failing that, without regard to case in its directory (the
// first such name in byte order); a part that matches nothing, such as the
// name of a file about to be created, is kept as written.
#pragma once

#include <cstddef>
#include <string>

// Bytes of a classic path with its 0: what Dgetpath, Fsfirst and the file
// selector's path buffer hold. Longer paths are refused with GEMC_ERANGE.
constexpr size_t GEMC_PATH_BYTES = 128;

// Bytes of a classic file name with its 0 (8.3 and the 0).
constexpr size_t GEMC_NAME_BYTES = 13;

// The absolute Linux path of a classic one, '.' and '..' resolved, relative
// paths taken from the working directory. 0, or GEMC_ERANGE (over-long),
// GEMC_EDRIVE (not C:) or GEMC_EPTHNF (no path).
long _gemc_linux_path(const char *classic, std::string &out);

// The classic path of a Linux one ("/home/x" -> "C:\home\x", "/" -> "C:\")
// into `out` of `size` bytes; a relative one is taken from the working
// directory. 0, or GEMC_ERANGE with `out` untouched when it does not fit.
long _gemc_classic_path(const std::string &linux_path, char *out, size_t size);

// The classic error of errno `err` from a call on `path`: a missing file in
// a directory that exists is EFILNF, in one that does not EPTHNF.
long _gemc_error(int err, const std::string &path);
