// GEMDOS directory calls: the disk transfer area and the searches that fill
// it, the one drive C: and its working directory, and free space.
#include <dirent.h>
#include <errno.h>
#include <limits.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "gem/classic/gemdos.h"
#include "gem/classic/internal.h"
#include "gem/classic/paths.h"

static_assert(sizeof(GEMC_DTA) == 44, "the classic disk transfer area");
static_assert(offsetof(GEMC_DTA, d_length) == 26 && offsetof(GEMC_DTA, d_fname) == 30,
              "the classic field offsets");

namespace {

constexpr int ATTR_READONLY = 0x01, ATTR_HIDDEN = 0x02, ATTR_SYSTEM = 0x04, ATTR_VOLUME = 0x08,
              ATTR_SUBDIR = 0x10;
constexpr int DRIVE_C = 2;

// A name longer than this does not fit the classic 8.3 form and is left out
// of searches: cut short it would name a file that does not exist.
constexpr size_t NAME_CHARS = GEMC_NAME_BYTES - 1;

GEMC_DTA default_dta;
GEMC_DTA *dta = &default_dta;

struct Found {
    std::string name;
    int attrib;
    struct stat st;
};

// A search in progress: what is left to hand out, found whole by Fsfirst.
// The DTA's d_reserved holds the search's serial number; the table keeps
// the most recent searches, and a DTA whose search dropped out of it has
// no more files.
struct Search {
    unsigned serial = 0;
    std::vector<Found> left;
    size_t next = 0;
};
constexpr int SEARCHES = 16;
Search searches[SEARCHES];
unsigned last_serial;

// Classic matching: name and extension (after the last '.') each matched
// without regard to case; '?' is any one character or none, '*' the rest
// of its part. A pattern without '.' matches names without one.
bool part_matches(const std::string &pattern, const std::string &part)
{
    size_t i = 0;
    for (; i < pattern.size(); i++) {
        if (pattern[i] == '*')
            return true;
        if (i >= part.size()) {
            if (pattern[i] != '?')
                return false;
            continue;
        }
        if (pattern[i] != '?' &&
            std::toupper((unsigned char)pattern[i]) != std::toupper((unsigned char)part[i]))
            return false;
    }
    return i >= part.size();
}

void split_name(const std::string &name, std::string &stem, std::string &ext)
{
    const size_t dot = name.rfind('.');
    stem = dot == std::string::npos ? name : name.substr(0, dot);
    ext = dot == std::string::npos ? "" : name.substr(dot + 1);
}

bool name_matches(const std::string &pattern, const std::string &name)
{
    std::string pstem, pext, stem, ext;
    split_name(pattern, pstem, pext);
    split_name(name, stem, ext);
    return part_matches(pstem, stem) && part_matches(pext, ext);
}

// Hidden, system and directory entries only when the search asks for them.
bool attributes_match(int asked, int attrib)
{
    const int special = attrib & (ATTR_HIDDEN | ATTR_SYSTEM | ATTR_SUBDIR);
    return (special & ~asked) == 0;
}

// The directory and the mask of a search pattern: "C:\DIR\*.C" -> "C:\DIR\"
// and "*.C".
void split_pattern(const std::string &pattern, std::string &dir, std::string &mask)
{
    const size_t cut = pattern.find_last_of("\\/:");
    dir = cut == std::string::npos ? "" : pattern.substr(0, cut + 1);
    mask = cut == std::string::npos ? pattern : pattern.substr(cut + 1);
}

// "." and ".." are left out: every program moves up by cutting its path.
std::vector<Found> matching_entries(const std::string &dir, const std::string &mask, int asked)
{
    std::vector<Found> found;
    DIR *d = opendir(dir.c_str());
    if (!d)
        return found;
    while (const dirent *e = readdir(d)) {
        const std::string name = e->d_name;
        if (name == "." || name == ".." || name.size() > NAME_CHARS || !name_matches(mask, name))
            continue;
        Found f{name, 0, {}};
        if (stat((dir == "/" ? "/" + name : dir + "/" + name).c_str(), &f.st) != 0)
            continue;  // a link to nothing
        f.attrib = _gemc_attributes(name.c_str(), f.st.st_mode);
        if (attributes_match(asked, f.attrib))
            found.push_back(f);
    }
    closedir(d);
    std::sort(found.begin(), found.end(),
              [](const Found &a, const Found &b) { return a.name < b.name; });
    return found;
}

void fill_dta(const Found &f)
{
    dta->d_attrib = (char)f.attrib;
    dta->d_time = _gemc_dos_time(f.st.st_mtime);
    dta->d_date = _gemc_dos_date(f.st.st_mtime);
    const off_t size = S_ISDIR(f.st.st_mode) ? 0 : f.st.st_size;
    dta->d_length = (int32_t)std::min<off_t>(size, 0x7FFFFFFF);
    memset(dta->d_fname, 0, sizeof dta->d_fname);
    memcpy(dta->d_fname, f.name.c_str(), f.name.size());
}

Search *search_of_dta()
{
    unsigned serial;
    memcpy(&serial, dta->d_reserved, sizeof serial);
    for (Search &s : searches)
        if (serial && s.serial == serial)
            return &s;
    return nullptr;
}

// The table's oldest search gives its place to a new one.
Search &new_search()
{
    Search *oldest = &searches[0];
    for (Search &s : searches)
        if (s.serial < oldest->serial)
            oldest = &s;
    *oldest = Search();
    oldest->serial = ++last_serial;
    return *oldest;
}

// Hands out the next entry of the DTA's search; ENMFIL when none is left.
long next_entry()
{
    Search *s = search_of_dta();
    if (!s || s->next >= s->left.size()) {
        if (s)
            *s = Search();
        return GEMC_ENMFIL;
    }
    fill_dta(s->left[s->next++]);
    return 0;
}

bool drive_known(int drive) { return drive == 0 || drive == DRIVE_C + 1; }

long directory_call(const char *classic, int (*call)(const char *))
{
    std::string path;
    if (const long r = _gemc_linux_path(classic, path))
        return r;
    return call(path.c_str()) == 0 ? 0 : _gemc_error(errno, path);
}

int make_directory(const char *path) { return mkdir(path, 0777); }

long saturated(unsigned long long v) { return (long)std::min<unsigned long long>(v, 0x7FFFFFFF); }

}  // namespace

int _gemc_attributes(const char *name, mode_t mode)
{
    int attrib = 0;
    if (S_ISDIR(mode))
        attrib |= ATTR_SUBDIR;
    else if (!S_ISREG(mode))
        attrib |= ATTR_SYSTEM;
    if (name[0] == '.')
        attrib |= ATTR_HIDDEN;
    if (!(mode & S_IWUSR))
        attrib |= ATTR_READONLY;
    return attrib;
}

void gemc_Fsetdta(GEMC_DTA *new_dta) { dta = new_dta ? new_dta : &default_dta; }

GEMC_DTA *gemc_Fgetdta(void) { return dta; }

// There is no volume label: a search for ATTR_VOLUME alone finds nothing.
long gemc_Fsfirst(const char *pattern, int attr)
{
    if (!pattern)
        return GEMC_EPTHNF;
    const size_t n = strnlen(pattern, GEMC_PATH_BYTES);
    if (n == GEMC_PATH_BYTES)
        return GEMC_ERANGE;
    std::string dir, mask, path;
    split_pattern(std::string(pattern, n), dir, mask);
    if (const long r = _gemc_linux_path(dir.c_str(), path))
        return r;
    struct stat st;
    if (stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return GEMC_EPTHNF;
    memset(dta->d_reserved, 0, sizeof dta->d_reserved);
    if (attr == ATTR_VOLUME || mask.empty())
        return GEMC_EFILNF;
    Search &s = new_search();
    s.left = matching_entries(path, mask, attr);
    if (s.left.empty()) {
        s = Search();
        return GEMC_EFILNF;
    }
    memcpy(dta->d_reserved, &s.serial, sizeof s.serial);
    return next_entry();
}

long gemc_Fsnext(void) { return next_entry(); }

long gemc_Dgetdrv(void) { return DRIVE_C; }

long gemc_Dsetdrv(int drive)
{
    (void)drive;
    return 1L << DRIVE_C;
}

// The working directory without the drive: "\home\x", and "" at the root.
long gemc_Dgetpath(char *buf, int drive)
{
    if (!buf)
        return GEMC_ERANGE;
    if (!drive_known(drive))
        return GEMC_EDRIVE;
    char cwd[PATH_MAX];
    if (!getcwd(cwd, sizeof cwd))
        return GEMC_EPTHNF;
    char classic[GEMC_PATH_BYTES + 2];
    if (_gemc_classic_path(cwd, classic, sizeof classic) != 0)
        return GEMC_ERANGE;
    // classic is "C:\..."; the root "C:\" gives "".
    const char *tail = strcmp(classic, "C:\\") == 0 ? "" : classic + 2;
    if (strlen(tail) >= GEMC_PATH_BYTES)
        return GEMC_ERANGE;
    strcpy(buf, tail);
    return 0;
}

long gemc_Dsetpath(const char *path) { return directory_call(path, chdir); }

long gemc_Dcreate(const char *path) { return directory_call(path, make_directory); }

long gemc_Ddelete(const char *path) { return directory_call(path, rmdir); }

// The file system of the working directory, in its own block size.
long gemc_Dfree(GEMC_DISKINFO *buf, int drive)
{
    if (!buf)
        return GEMC_ERANGE;
    if (!drive_known(drive))
        return GEMC_EDRIVE;
    struct statvfs vfs;
    if (statvfs(".", &vfs) != 0 && statvfs("/", &vfs) != 0)
        return GEMC_ERROR;
    buf->b_free = saturated(vfs.f_bavail);
    buf->b_total = saturated(vfs.f_blocks);
    buf->b_secsiz = saturated(vfs.f_frsize ? vfs.f_frsize : vfs.f_bsize);
    buf->b_clsiz = 1;
    return 0;
}
