// Writing files whole or not at all: the bytes go to a temporary file beside
// the target, which is renamed over it only once complete. A failed write
// leaves an existing file as it was and no temporary file behind.
#pragma once

#include <cstddef>
#include <string>

// One output in two steps, so that several outputs can all be written
// before any of them replaces its target: write() fills the temporary
// file, commit() renames it into place; a file not committed is removed.
class PendingFile {
public:
    explicit PendingFile(std::string target) : target_(std::move(target)) {}
    ~PendingFile();
    PendingFile(const PendingFile &) = delete;
    PendingFile &operator=(const PendingFile &) = delete;

    // Each returns an empty string, or why it failed ("cannot create PATH:
    // REASON" when not even the temporary file can be made, else "cannot
    // write PATH: REASON"). A new file gets the permissions fopen would
    // give it.
    std::string write(const void *data, size_t size);
    std::string commit();

private:
    std::string failed(const char *what, int err) const;

    std::string target_;
    std::string temp_;
};

// write() and commit() of one file.
std::string write_whole_file(const char *path, const void *data, size_t size);
