// The clipboard folder: where programs leave and find the clipboard's
// files (scrp_read, scrp_write). By default it is $HOME/.gem/clipbrd, made
// the first time it is asked for; scrp_write names another for the rest of
// the run.
#include <errno.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

#include <string>

#include "gem/internal.h"

namespace {

std::string chosen;  // set by scrp_write; empty: the default

// The folder exists (made now, private to the user, if it was not).
bool make_folder(const std::string &path)
{
    if (mkdir(path.c_str(), 0700) == 0)
        return true;
    struct stat st;
    return errno == EEXIST && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string default_folder()
{
    const char *home = getenv("HOME");
    if (!home || home[0] != '/')
        return "";  // unset, empty or relative: no home to put it in
    std::string base = home;
    while (base.size() > 1 && base.back() == '/')
        base.pop_back();
    if (base == "/")
        base.clear();
    const std::string gem = base + "/.gem", folder = gem + "/clipbrd";
    if (folder.size() >= GEM_PATH_MAX || !make_folder(gem) || !make_folder(folder))
        return "";
    return folder;
}

}  // namespace

// The folder's path, without a '/' at its end.
int scrp_read(char *path)
{
    if (!path)
        return 0;
    const std::string folder = chosen.empty() ? default_folder() : chosen;
    if (folder.empty())
        return 0;
    memcpy(path, folder.c_str(), folder.size() + 1);
    return 1;
}

int scrp_write(const char *path)
{
    if (!path)
        return 0;
    const size_t length = strnlen(path, GEM_PATH_MAX);
    if (length == 0 || length == GEM_PATH_MAX)
        return 0;
    chosen.assign(path, length);
    return 1;
}

void _scrp_forget(void) { chosen.clear(); }
