#include "whole_file.h"

#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool write_all(int fd, const unsigned char *p, size_t n)
{
    while (n > 0) {
        const ssize_t w = ::write(fd, p, n);
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

PendingFile::~PendingFile()
{
    if (!temp_.empty())
        unlink(temp_.c_str());
}

std::string PendingFile::failed(const char *what, int err) const
{
    return std::string(what) + " " + target_ + ": " + strerror(err);
}

std::string PendingFile::write(const void *data, size_t size)
{
    std::string name = target_ + ".XXXXXX";
    const int fd = mkstemp(&name[0]);
    if (fd < 0)
        return failed("cannot create", errno);
    temp_ = name;
    // mkstemp makes the file private; the output gets the permissions of
    // any new file.
    const mode_t mask = umask(0);
    umask(mask);
    bool ok = fchmod(fd, 0666 & ~mask) == 0 && write_all(fd, (const unsigned char *)data, size);
    int err = errno;
    if (close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    return ok ? "" : failed("cannot write", err);
}

std::string PendingFile::commit()
{
    if (rename(temp_.c_str(), target_.c_str()) != 0)
        return failed("cannot write", errno);
    temp_.clear();
    return "";
}

std::string write_whole_file(const char *path, const void *data, size_t size)
{
    PendingFile file(path);
    std::string err = file.write(data, size);
    return err.empty() ? file.commit() : err;
}
