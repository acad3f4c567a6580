// Classic paths to Linux paths and back.
#include "gem/classic/paths.h"

#include <dirent.h>
#include <errno.h>
#include <limits.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <vector>

#include "gem/classic/internal.h"

namespace {

std::string working_directory()
{
    char cwd[PATH_MAX];
    return getcwd(cwd, sizeof cwd) ? cwd : "/";
}

bool exists(const std::string &path)
{
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

std::string joined(const std::string &dir, const std::string &name)
{
    return dir == "/" ? "/" + name : dir + "/" + name;
}

// The name in `dir` that is `name` but for case, the first in byte order;
// `name` itself when it exists as written or nothing matches.
std::string resolve_case(const std::string &dir, const std::string &name)
{
    if (exists(joined(dir, name)))
        return name;
    DIR *d = opendir(dir.c_str());
    if (!d)
        return name;
    std::string best;
    while (const dirent *e = readdir(d)) {
        if (strcasecmp(e->d_name, name.c_str()) == 0 && (best.empty() || best > e->d_name))
            best = e->d_name;
    }
    closedir(d);
    return best.empty() ? name : best;
}

std::vector<std::string> parts_of(const std::string &path)
{
    std::vector<std::string> parts;
    size_t at = 0;
    while (at <= path.size()) {
        size_t end = path.find('/', at);
        if (end == std::string::npos)
            end = path.size();
        if (end > at)
            parts.push_back(path.substr(at, end - at));
        at = end + 1;
    }
    return parts;
}

}  // namespace

long _gemc_linux_path(const char *classic, std::string &out)
{
    if (!classic)
        return GEMC_EPTHNF;
    const size_t n = strnlen(classic, GEMC_PATH_BYTES);
    if (n == GEMC_PATH_BYTES)
        return GEMC_ERANGE;
    std::string rest(classic, n);
    if (rest.size() >= 2 && rest[1] == ':') {
        if (rest[0] != 'C' && rest[0] != 'c')
            return GEMC_EDRIVE;
        rest.erase(0, 2);
    }
    for (char &c : rest)
        if (c == '\\')
            c = '/';
    std::string path = !rest.empty() && rest[0] == '/' ? "/" : working_directory();
    for (const std::string &part : parts_of(rest)) {
        if (part == ".")
            continue;
        if (part == "..") {
            const size_t slash = path.rfind('/');
            path.resize(slash == 0 ? 1 : slash);
            continue;
        }
        path = joined(path, resolve_case(path, part));
    }
    if (path.size() >= PATH_MAX)
        return GEMC_ERANGE;
    out = path;
    return 0;
}

long _gemc_classic_path(const std::string &linux_path, char *out, size_t size)
{
    std::string path = linux_path;
    if (path.empty() || path[0] != '/')
        path = joined(working_directory(), path);
    std::string classic = "C:" + path;
    for (char &c : classic)
        if (c == '/')
            c = '\\';
    if (!out || classic.size() >= size)
        return GEMC_ERANGE;
    memcpy(out, classic.c_str(), classic.size() + 1);
    return 0;
}

long _gemc_error(int err, const std::string &path)
{
    switch (err) {
    case ENOENT: {
        const size_t slash = path.rfind('/');
        const std::string dir =
            slash == std::string::npos ? "." : path.substr(0, slash ? slash : 1);
        struct stat st;
        return stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) ? GEMC_EFILNF : GEMC_EPTHNF;
    }
    case ENOTDIR: return GEMC_EPTHNF;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    case EEXIST:
    case ENOTEMPTY:
    case ETXTBSY:
    case EBUSY: return GEMC_EACCDN;
    case EMFILE:
    case ENFILE: return GEMC_ENHNDL;
    case ENOMEM: return GEMC_ENSMEM;
    case ENAMETOOLONG: return GEMC_ERANGE;
    case EBADF: return GEMC_EIHNDL;
    default: return GEMC_ERROR;
    }
}
