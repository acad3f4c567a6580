// Writing a file whole or not at all: the bytes go to a temporary file
// beside the target, which is renamed over it only once complete. A failed
// write leaves an existing file as it was and no temporary file behind.
#pragma once

#include <cstddef>
#include <string>

// Writes `size` bytes to `path`; a new file gets the permissions fopen would
// give it. Returns an empty string, or why nothing was written
// ("cannot write PATH: REASON").
std::string write_whole_file(const char *path, const void *data, size_t size);
