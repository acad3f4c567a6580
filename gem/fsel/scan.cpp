// The file selector's directory table: _get_path reads the directory
// `_path` into `_files`, directories first and each group in byte order, and
// find_matches picks out the entries the mask `_selfile` lets through.
// _norm_path makes a relative `_path` absolute.
#include <dirent.h>
#include <fnmatch.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "gem/internal.h"

FSEL_FILE _files[FSEL_FILES];
short _numfiles = 0, _numdirs = 0;
short _matches[FSEL_FILES];
short _nummatches = 0;
short _currfile = 0;
char _selfile[128] = "";
char *_path = NULL;
char _fsel_home[PATH_MAX] = "";

namespace {

constexpr int PATH_FIELD = 2;

// Copies at most `most` characters of s into out and ends it.
void copy_cut(char *out, const char *s, size_t most)
{
    const size_t n = strnlen(s, most);
    memcpy(out, s, n);
    out[n] = '\0';
}

// Ends _path in '/', so that a file name joins it into a path. False when
// the field has no room for the '/'.
bool end_with_slash()
{
    const size_t n = strlen(_path);
    if (n && _path[n - 1] == '/')
        return true;
    if (n >= FSEL_PATH_CHARS)
        return false;
    _path[n] = '/';
    _path[n + 1] = '\0';
    return true;
}

// Makes _path a directory the process is in: as given, else its nearest
// parent that can be entered, else the directory the selector opened in.
// False when none of them can be.
bool enter_path()
{
    bool tried_home = false;
    for (;;) {
        if (chdir(_path) == 0 && end_with_slash())
            return true;
        if (_cut_path(_path))
            continue;
        const size_t home = strlen(_fsel_home);
        if (tried_home || home == 0 || home >= FSEL_PATH_CHARS)
            return false;
        tried_home = true;
        memcpy(_path, _fsel_home, home + 1);
    }
}

void add_entry(const char *whole)
{
    FSEL_FILE &f = _files[_numfiles++];
    struct stat st;
    f.isdir = stat(whole, &st) == 0 && (st.st_mode & 0xF000) == 0x4000;
    copy_cut(f.whole, whole, sizeof f.whole - 1);
    const char *dot = strrchr(whole, '.');
    const size_t stem = dot ? (size_t)(dot - whole) : strlen(whole);
    copy_cut(f.name, whole, stem < sizeof f.name - 1 ? stem : sizeof f.name - 1);
    copy_cut(f.extension, dot ? dot + 1 : "", sizeof f.extension - 1);
}

// The directory the process is in, hidden entries left out, in the order
// the system gives them, as many as the table holds.
void read_table()
{
    _currfile = 0;
    _numfiles = 0;
    DIR *dir = opendir("./");
    if (!dir)
        return;
    while (_numfiles < FSEL_FILES) {
        const struct dirent *e = readdir(dir);
        if (!e)
            break;
        if (e->d_name[0] != '.')
            add_entry(e->d_name);
    }
    closedir(dir);
}

void sort_table()
{
    qsort(_files, (size_t)_numfiles, sizeof(FSEL_FILE), dirsort);
    _numdirs = 0;
    while (_numdirs < _numfiles && _files[_numdirs].isdir)
        _numdirs++;
    qsort(_files, (size_t)_numdirs, sizeof(FSEL_FILE), filesort);
    qsort(_files + _numdirs, (size_t)(_numfiles - _numdirs), sizeof(FSEL_FILE), filesort);
}

// Name and extension are matched separately, each whole even where the
// table's fields cut them.
bool matches(const FSEL_FILE &f, const char *name_pattern, const char *ext_pattern)
{
    std::string name = f.whole, ext;
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos) {
        ext = name.substr(dot + 1);
        name.resize(dot);
    }
    if (fnmatch(name_pattern, name.c_str(), 0) != 0)
        return false;
    return ext_pattern ? fnmatch(ext_pattern, ext.c_str(), 0) == 0 : ext.empty();
}

}  // namespace

int _cut_path(char *path)
{
    const size_t n = strlen(path);
    if (n < 2)
        return 0;
    size_t i = n - 2;
    while (i > 0 && path[i] != '/')
        i--;
    path[i + 1] = '\0';
    return i + 1 < n;
}

void _get_path(int redraw)
{
    graf_mouse(BUSY_BEE, NULL);
    if (_path && enter_path()) {
        read_table();
        sort_table();
    } else {
        _currfile = _numfiles = _numdirs = 0;
    }
    find_matches();
    if (redraw) {
        _obcurse(0);
        objc_draw(_fselbox, PATH_FIELD, 1, _fsx, _fsy, _fsw, _fsh);
    }
    graf_mouse(ARROW, NULL);
}

void _norm_path(void)
{
    if (_path[0] == '/')
        return;
    char cwd[PATH_MAX];
    if (!getcwd(cwd, sizeof cwd))
        return;
    std::string whole = cwd;
    if (whole.back() != '/')
        whole += '/';
    whole += _path;
    // A path the field cannot hold stays as it was: relative.
    if (whole.size() <= FSEL_PATH_CHARS)
        memcpy(_path, whole.c_str(), whole.size() + 1);
}

void find_matches(void)
{
    char mask[sizeof _selfile];
    copy_cut(mask, _selfile, sizeof mask - 1);
    char *dot = strrchr(mask, '.');
    const char *ext_pattern = NULL;
    if (dot) {
        *dot = '\0';
        ext_pattern = dot + 1;
    }
    short n = 0;
    for (short i = 0; i < _numdirs; i++)
        _matches[n++] = i;
    for (short i = _numdirs; i < _numfiles; i++)
        if (matches(_files[i], mask, ext_pattern))
            _matches[n++] = i;
    _nummatches = n;
}

int dirsort(const void *a, const void *b)
{
    return ((const FSEL_FILE *)b)->isdir - ((const FSEL_FILE *)a)->isdir;
}

int filesort(const void *a, const void *b)
{
    const FSEL_FILE &x = *(const FSEL_FILE *)a, &y = *(const FSEL_FILE *)b;
    if (const int c = strcmp(x.name, y.name))
        return c;
    if (const int c = strcmp(x.extension, y.extension))
        return c;
    // Names the fields cut alike still come in one order.
    return strcmp(x.whole, y.whole);
}
