// Looking things up where the program runs: a file in the program's folder,
// the working folder or the folders of PATH (shel_find), and a variable of
// the environment (shel_envrn).
#include <limits.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "gem/internal.h"

extern char **environ;

namespace {

std::string working_folder()
{
    char cwd[PATH_MAX];
    return getcwd(cwd, sizeof cwd) ? cwd : "";
}

std::string program_folder()
{
    char exe[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n <= 0)
        return "";
    const std::string path(exe, (size_t)n);
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "" : path.substr(0, slash ? slash : 1);
}

// The folders of PATH in order; an empty entry is the working folder, and
// relative ones are taken from it.
std::vector<std::string> path_folders()
{
    std::vector<std::string> folders;
    const char *path = getenv("PATH");
    if (!path)
        return folders;
    const std::string all = path;
    for (size_t at = 0; at <= all.size();) {
        const size_t end = all.find(':', at);
        const size_t stop = end == std::string::npos ? all.size() : end;
        const std::string entry = all.substr(at, stop - at);
        if (entry.empty())
            folders.push_back(working_folder());
        else
            folders.push_back(entry[0] == '/' ? entry : working_folder() + "/" + entry);
        at = stop + 1;
    }
    return folders;
}

bool is_file(const std::string &path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string joined(const std::string &folder, const std::string &name)
{
    if (!folder.empty() && folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

}  // namespace

// An absolute path is found when it names a file, and stays as it is.
int shel_find(char *path)
{
    if (!path)
        return 0;
    const size_t length = strnlen(path, GEM_PATH_MAX);
    if (length == 0 || length == GEM_PATH_MAX)
        return 0;
    const std::string name(path, length);
    if (name[0] == '/')
        return is_file(name);
    std::vector<std::string> folders = {program_folder(), working_folder()};
    for (const std::string &f : path_folders())
        folders.push_back(f);
    for (const std::string &folder : folders) {
        if (folder.empty())
            continue;
        const std::string full = joined(folder, name);
        if (full.size() < GEM_PATH_MAX && is_file(full)) {
            memcpy(path, full.c_str(), full.size() + 1);
            return 1;
        }
    }
    return 0;
}

// The classic name ends in '='; a name without it is matched as if it had
// one. *value is null when the variable is not set.
int shel_envrn(char **value, const char *name)
{
    if (!value)
        return 0;
    *value = NULL;
    if (!name || !*name)
        return 1;
    const size_t n = strlen(name);
    const bool has_equals = name[n - 1] == '=';
    for (char **e = environ; e && *e; e++) {
        if (strncmp(*e, name, n) != 0)
            continue;
        if (has_equals) {
            *value = *e + n;
            break;
        }
        if ((*e)[n] == '=') {
            *value = *e + n + 1;
            break;
        }
    }
    return 1;
}
