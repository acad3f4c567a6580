// GEMDOS file calls on Linux files: a bounded table of open files behind
// the classic handles, and the classic errors of every failure.
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "gem/classic/gemdos.h"
#include "gem/classic/internal.h"
#include "gem/classic/paths.h"

namespace {

// Handles 0 to 5 are the classic standard ones; files get 6 and up.
constexpr int FIRST_FILE = 6;
constexpr int MAX_FILES = 64;

int files[MAX_FILES];
bool files_ready;

int *slot_of(int fh)
{
    if (!files_ready) {
        for (int &fd : files)
            fd = -1;
        files_ready = true;
    }
    if (fh < FIRST_FILE || fh >= FIRST_FILE + MAX_FILES)
        return nullptr;
    return &files[fh - FIRST_FILE];
}

// The Linux descriptor behind a handle, or -1. The standard handles 0, 1
// and 2 are the process's own.
int fd_of(int fh)
{
    if (fh >= 0 && fh <= 2)
        return fh;
    const int *slot = slot_of(fh);
    return slot ? *slot : -1;
}

int free_handle()
{
    for (int fh = FIRST_FILE; fh < FIRST_FILE + MAX_FILES; fh++)
        if (*slot_of(fh) < 0)
            return fh;
    return -1;
}

// Opens `name` with `flags` into a free handle: the handle or an error.
long open_handle(const char *name, int flags, mode_t mode)
{
    std::string path;
    if (const long r = _gemc_linux_path(name, path))
        return r;
    const int fh = free_handle();
    if (fh < 0)
        return GEMC_ENHNDL;
    const int fd = open(path.c_str(), flags | O_CLOEXEC, mode);
    if (fd < 0)
        return _gemc_error(errno, path);
    struct stat st;
    if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        close(fd);
        return GEMC_EFILNF;  // a directory is no file to open
    }
    *slot_of(fh) = fd;
    return fh;
}

// Standard output is a FILE too (Cconws): what it holds goes first.
void flush_before(int fd)
{
    if (fd == 1)
        fflush(stdout);
    else if (fd == 2)
        fflush(stderr);
}

}  // namespace

long gemc_Fopen(const char *name, int mode)
{
    static const int flags[] = {O_RDONLY, O_WRONLY, O_RDWR};
    if (mode < 0 || (mode & 7) > 2)
        return GEMC_EACCDN;
    return open_handle(name, flags[mode & 7], 0);
}

// FA_READONLY gives a file no one may write, though this handle still can.
long gemc_Fcreate(const char *name, int attr)
{
    if (attr & (0x08 | 0x10))  // FA_VOLUME, FA_SUBDIR
        return GEMC_EACCDN;
    const mode_t mode = (attr & 0x01) ? 0444 : 0666;
    return open_handle(name, O_RDWR | O_CREAT | O_TRUNC, mode);
}

long gemc_Fread(int fh, long count, void *buf)
{
    const int fd = fd_of(fh);
    if (fd < 0)
        return GEMC_EIHNDL;
    if (count < 0 || (!buf && count > 0))
        return GEMC_ERANGE;
    long done = 0;
    char *to = static_cast<char *>(buf);
    while (done < count) {
        const ssize_t n = read(fd, to + done, (size_t)(count - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return done ? done : _gemc_error(errno, "");
        if (n == 0)
            break;
        done += n;
    }
    return done;
}

long gemc_Fwrite(int fh, long count, const void *buf)
{
    const int fd = fd_of(fh);
    if (fd < 0)
        return GEMC_EIHNDL;
    if (count < 0 || (!buf && count > 0))
        return GEMC_ERANGE;
    flush_before(fd);
    long done = 0;
    const char *from = static_cast<const char *>(buf);
    while (done < count) {
        const ssize_t n = write(fd, from + done, (size_t)(count - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return done ? done : (n < 0 && errno == EBADF ? GEMC_EACCDN : GEMC_ERROR);
        done += n;
    }
    return done;
}

// The standard handles stay open.
long gemc_Fclose(int fh)
{
    if (fh >= 0 && fh < FIRST_FILE)
        return 0;
    int *slot = slot_of(fh);
    if (!slot || *slot < 0)
        return GEMC_EIHNDL;
    const int r = close(*slot);
    *slot = -1;
    return r == 0 ? 0 : GEMC_ERROR;
}

// As the classic system, a seek before the start or past the end fails and
// leaves the position where it was.
long gemc_Fseek(long offset, int fh, int mode)
{
    const int fd = fd_of(fh);
    if (fd < 0)
        return GEMC_EIHNDL;
    if (mode < 0 || mode > 2)
        return GEMC_EINVFN;
    struct stat st;
    const off_t here = lseek(fd, 0, SEEK_CUR);
    if (here < 0 || fstat(fd, &st) != 0)
        return GEMC_EACCDN;  // a terminal or a pipe
    const off_t base = mode == 0 ? 0 : mode == 1 ? here : st.st_size;
    const off_t to = base + offset;
    if (to < 0 || to > st.st_size)
        return GEMC_ERANGE;
    return lseek(fd, to, SEEK_SET) < 0 ? GEMC_ERROR : (long)to;
}

long gemc_Fdelete(const char *name)
{
    std::string path;
    if (const long r = _gemc_linux_path(name, path))
        return r;
    return unlink(path.c_str()) == 0 ? 0 : _gemc_error(errno, path);
}

// The new name must not exist: a rename never replaces a file.
long gemc_Frename(int zero, const char *oldname, const char *newname)
{
    (void)zero;
    std::string from, to;
    if (const long r = _gemc_linux_path(oldname, from))
        return r;
    if (const long r = _gemc_linux_path(newname, to))
        return r;
    struct stat st;
    if (lstat(from.c_str(), &st) != 0)
        return _gemc_error(errno, from);
    if (lstat(to.c_str(), &st) == 0)
        return GEMC_EACCDN;
    return rename(from.c_str(), to.c_str()) == 0 ? 0 : _gemc_error(errno, to);
}

// Of the bits set, only FA_READONLY has a Linux meaning (no write
// permission); the others are ignored.
long gemc_Fattrib(const char *name, int set, int attr)
{
    std::string path;
    if (const long r = _gemc_linux_path(name, path))
        return r;
    struct stat st;
    if (stat(path.c_str(), &st) != 0)
        return _gemc_error(errno, path);
    if (set == 1 && !S_ISDIR(st.st_mode)) {
        const mode_t perms = st.st_mode & 07777;
        const mode_t mode = (attr & 0x01) ? (perms & ~0222) : (perms | S_IWUSR);
        if (chmod(path.c_str(), mode) != 0)
            return _gemc_error(errno, path);
        st.st_mode = (st.st_mode & S_IFMT) | mode;
    }
    const std::string name_part = path.substr(path.rfind('/') + 1);
    return _gemc_attributes(name_part.c_str(), st.st_mode);
}
