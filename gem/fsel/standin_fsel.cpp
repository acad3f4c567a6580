// TEMPORARY STAND-IN for the file selector, until it is built: it chooses,
// without asking, the first name (in byte order) in the directory `path`
// that matches the mask in `file`, and cancels when none does.
#include <dirent.h>
#include <fnmatch.h>
#include <string.h>
#include <unistd.h>

#include <string>

#include "gem/internal.h"

int fsel_exinput(char *path, char *file, short *button, const char *title)
{
    (void)title;
    if (!*path) {
        if (!getcwd(path, 255))
            path[0] = 0;
        strcat(path, "/");
    }
    std::string best;
    if (DIR *d = opendir(path)) {
        while (struct dirent *e = readdir(d)) {
            if (e->d_name[0] != '.' && fnmatch(file, e->d_name, 0) == 0 &&
                strlen(e->d_name) < 128 && (best.empty() || best > e->d_name))
                best = e->d_name;
        }
        closedir(d);
    }
    *button = !best.empty();
    if (*button)
        strcpy(file, best.c_str());
    return 1;
}

int fsel_input(char *path, char *file, short *button)
{
    return fsel_exinput(path, file, button, "Select a file");
}
