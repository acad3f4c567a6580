// The file selector dialog: fsel_exinput shows the directory `path` through
// the mask in `file`, lets the user move between directories, change the
// mask and pick a file, and leaves the directory shown and the file picked
// in the caller's two buffers. The process's working directory follows the
// directory shown while the selector is open and is put back on return.
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <string>

#include "gem/internal.h"

char *_clicked = NULL;
short _fsx = 0, _fsy = 0, _fsw = 0, _fsh = 0;

namespace {

// Objects of the file selector tree.
constexpr int TITLE = 1, PATH_FIELD = 2, PARENT = 3, NAME_FIELD = 4;
constexpr int FIRST_SLOT = 6, LAST_SLOT = 37, SELECT = 38, CANCEL = 39;
constexpr int ALL_FILES = 40, LAST_EXTN = 45, SCROLL_BACK = 46, SCROLL_ON = 47;
constexpr int COLUMN = 16;       // slots in one column of the list
constexpr int TITLE_CHARS = 39;  // what fits inside the 320-pixel box

char cut_title[TITLE_CHARS + 1];

// The directory the process is in when the selector opens, held open so it
// can be gone back to however deep it lies; its path goes to _fsel_home.
class WorkingDirectory {
public:
    WorkingDirectory() : fd_(open(".", O_PATH | O_DIRECTORY | O_CLOEXEC))
    {
        if (!getcwd(_fsel_home, sizeof _fsel_home))
            _fsel_home[0] = '\0';
    }
    ~WorkingDirectory()
    {
        const bool back = fd_ >= 0 && fchdir(fd_) == 0;
        if (!back && _fsel_home[0] && chdir(_fsel_home) != 0)
            _fsel_home[0] = '\0';
        if (fd_ >= 0)
            close(fd_);
    }
    WorkingDirectory(const WorkingDirectory &) = delete;
    WorkingDirectory &operator=(const WorkingDirectory &) = delete;

private:
    const int fd_;
};

TEDINFO *ted_of(int index) { return (TEDINFO *)_fselbox[index].ob_spec; }

void draw(int index) { objc_draw(_fselbox, index, 1, _fsx, _fsy, _fsw, _fsh); }

void copy_cut(char *out, const char *s, size_t most)
{
    const size_t n = strnlen(s, most);
    memcpy(out, s, n);
    out[n] = '\0';
}

// Centres the title over the box; one too long for it is cut.
void set_title(const char *title)
{
    const char *shown = title ? title : "";
    if (strlen(shown) > TITLE_CHARS) {
        copy_cut(cut_title, shown, TITLE_CHARS);
        shown = cut_title;
    }
    OBJECT &ob = _fselbox[TITLE];
    ob.ob_spec = (long)shown;
    ob.ob_width = (short)(8 * strlen(shown));
    ob.ob_x = (short)(160 - ob.ob_width / 2);
}

// Puts an absolute path into the path field; one the field cannot hold is
// cut back to its deepest parent that fits.
void put_path(std::string p)
{
    while (p.size() > FSEL_PATH_CHARS) {
        const size_t slash = p.rfind('/', FSEL_PATH_CHARS - 1);
        p.resize(slash == std::string::npos ? 0 : slash + 1);
    }
    if (p.empty())
        p = "/";
    memcpy(_path, p.c_str(), p.size() + 1);
}

// The caller's path made absolute: the working directory when it is empty,
// taken from the working directory when it is relative.
void open_path()
{
    std::string p = _path;
    if (p.empty() || p[0] != '/') {
        std::string home = _fsel_home[0] ? _fsel_home : "/";
        if (home.back() != '/')
            home += '/';
        p = home + p;
    }
    put_path(p);
}

// Without a mask the path supplies one: "*.*" for a directory, or the
// pattern in its last part (/pics/*.pcx shows /pics/ through *.pcx).
void mask_from_path()
{
    const size_t n = strlen(_path);
    char *last = strrchr(_path, '/');
    char *dot = last ? strrchr(last, '.') : NULL;
    if (n && _path[n - 1] != '/' && dot) {
        snprintf(_selfile, sizeof _selfile, "*%s", dot);
        last[1] = '\0';
    } else {
        // A last part without a '.' names a directory; _get_path ends the
        // path in '/'.
        strcpy(_selfile, "*.*");
    }
}

void relist()
{
    _get_path(1);
    f_list(1);
}

// After the mask changed: the matches again, from the start if the list
// now ends before the first slot.
void rematch()
{
    refresh_extns();
    find_matches();
    if (_currfile >= _nummatches)
        _currfile = 0;
    f_list(1);
}

// Enters a directory of the list by its real name. One whose path the field
// cannot hold is not entered.
void enter_directory(const FSEL_FILE &dir)
{
    const std::string p = std::string(_path) + dir.whole + "/";
    if (p.size() > FSEL_PATH_CHARS)
        return;
    memcpy(_path, p.c_str(), p.size() + 1);
    relist();
}

// The path the user typed into the path field, made absolute and listed;
// one the field cannot hold absolute is put back as it was.
void enter_typed_path(const std::string &before)
{
    _norm_path();
    if (_path[0] != '/') {
        memcpy(_path, before.c_str(), before.size() + 1);
        _obcurse(0);
        draw(PATH_FIELD);
        return;
    }
    relist();
}

class Selector {
public:
    // Returns 1 for accepted, 0 for cancelled.
    int run()
    {
        for (;;) {
            const std::string path_before = _path, file_before = _clicked;
            const int r = form_do(_fselbox, NAME_FIELD);
            _fselbox[r].ob_flags &= (unsigned char)~OF_SELECTED;
            // The buttons as the poll that ended form_do saw them: a poll of
            // its own here would take a key typed ahead and lose it. A
            // right click too short to be held at that poll still counts.
            const short ended_by = _mevent.kinds, buttons = _mevent.buttons & 3;
            const bool right =
                buttons == 2 || ((ended_by & 0x08) && !(ended_by & 0x02) && !buttons);
            // A cursor left in the path field by Tab is wiped: form_do
            // starts again in the file name field.
            _obcurse(0);
            draw(PATH_FIELD);

            if (r >= FIRST_SLOT && r <= LAST_SLOT) {
                if (slot(r, right))
                    return 1;
            } else if (r == SCROLL_BACK && _currfile != 0) {
                _currfile = (short)(_currfile > COLUMN ? _currfile - COLUMN : 0);
                list_moved();
            } else if (r == SCROLL_ON && _currfile < _nummatches - 32) {
                _currfile = (short)(_currfile + COLUMN);
                list_moved();
            } else if (r == CANCEL) {
                return 0;
            } else if (r == SELECT) {
                if (path_before == _path && file_before == _clicked)
                    return 1;
                previous_ = -1;
                if (path_before != _path) {
                    enter_typed_path(path_before);
                } else {
                    copy_cut(_selfile, _clicked, sizeof _selfile - 1);
                    rematch();
                }
            } else if (r == PARENT && strlen(_path) > 1) {
                _cut_path(_path);
                previous_ = -1;
                relist();
            } else if (r >= ALL_FILES && r <= LAST_EXTN) {
                snprintf(_selfile, sizeof _selfile, "*.%s", (const char *)_fselbox[r].ob_spec);
                copy_cut(_clicked, _selfile, FSEL_NAME_CHARS);
                draw(NAME_FIELD);
                previous_ = -1;
                rematch();
            }
        }
    }

private:
    // A click on slot r; true when it accepts a file.
    bool slot(int r, bool right)
    {
        const int m = _currfile + r - FIRST_SLOT;
        if (m >= _nummatches)
            return false;
        const FSEL_FILE &f = _files[_matches[m]];
        if (m < _numdirs) {
            previous_ = -1;
            enter_directory(f);
            return false;
        }
        // A name longer than the caller's buffer could not be handed over.
        if (strlen(f.whole) > FSEL_NAME_CHARS)
            return false;
        strcpy(_clicked, f.whole);
        strcpy(_selfile, f.whole);
        refresh_extns();
        if (r == previous_ || right)
            return true;
        draw(NAME_FIELD);
        previous_ = r;
        return false;
    }

    // A second click on a slot accepts only the entry clicked first.
    void list_moved()
    {
        previous_ = -1;
        f_list(1);
    }

    int previous_ = -1;
};

}  // namespace

int fsel_exinput(char *path, char *file, short *button, const char *title)
{
    if (!path || !file || !button || !_fselbox) {
        if (button)
            *button = 0;
        return 0;
    }
    set_title(title);
    copy_cut(_selfile, file, sizeof _selfile - 1);
    sort_extns();
    ted_of(NAME_FIELD)->te_ptext = _clicked = file;
    ted_of(PATH_FIELD)->te_ptext = _path = path;

    WorkingDirectory home;
    open_path();
    if (!*_selfile)
        mask_from_path();

    form_center(_fselbox, &_fsx, &_fsy, &_fsw, &_fsh);
    // Without room to save the screen under it, the selector is not shown.
    if (!form_dial(0, 0, 0, 0, 0, _fsx, _fsy, _fsw, _fsh)) {
        *button = 0;
        return 0;
    }
    _get_path(0);
    f_list(0);
    objc_draw(_fselbox, 0, 8, _fsx, _fsy, _fsw, _fsh);

    Selector selector;
    *button = (short)selector.run();
    form_dial(3, 0, 0, 0, 0, _fsx, _fsy, _fsw, _fsh);
    return 1;
}

int fsel_input(char *path, char *file, short *button)
{
    return fsel_exinput(path, file, button, "Select a file");
}
