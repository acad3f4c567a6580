#include "whole_file.h"

#include <errno.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool write_all(int fd, const unsigned char *p, size_t n)
{
    while (n > 0) {
        const ssize_t w = write(fd, p, n);
        if (w < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += w;
        n -= (size_t)w;
    }
    return true;
}

}  // namespace

std::string write_whole_file(const char *path, const void *data, size_t size)
{
    std::string tmp = std::string(path) + ".XXXXXX";
    const int fd = mkstemp(&tmp[0]);
    if (fd < 0)
        return std::string("cannot create ") + path + ": " + strerror(errno);
    const mode_t mask = umask(0);
    umask(mask);
    bool ok = fchmod(fd, 0666 & ~mask) == 0 && write_all(fd, (const unsigned char *)data, size);
    int err = errno;
    if (close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok && rename(tmp.c_str(), path) != 0) {
        ok = false;
        err = errno;
    }
    if (ok)
        return "";
    unlink(tmp.c_str());
    return std::string("cannot write ") + path + ": " + strerror(err);
}
