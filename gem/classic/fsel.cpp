// The file selector and shel_find with classic paths: the classic path is
// mapped to Linux, the layer's call does the work, and what it found comes
// back classic, never longer than the classic buffers (a path of
// GEMC_PATH_BYTES, a name of GEMC_NAME_BYTES, each with its 0).
#include <sys/stat.h>

#include <cctype>
#include <cstring>
#include <string>

#include "gem/classic/internal.h"
#include "gem/classic/paths.h"

namespace {

bool fits(const char *s, size_t bytes) { return strnlen(s, bytes) < bytes; }

// "C:\DIR\*.C" -> "C:\DIR\" and "*.C"; a path without a mask gets "*.*".
void split_classic(const std::string &path, std::string &dir, std::string &mask)
{
    const size_t cut = path.find_last_of("\\:");
    dir = cut == std::string::npos ? "" : path.substr(0, cut + 1);
    mask = cut == std::string::npos ? path : path.substr(cut + 1);
    if (mask.empty())
        mask = "*.*";
}

// The layer's selector matches with case. A mask in capitals, as classic
// programs write them, is given in small letters, as Linux names mostly are.
std::string layer_mask(std::string mask)
{
    for (char c : mask)
        if (std::islower((unsigned char)c))
            return mask;
    for (char &c : mask)
        c = (char)std::tolower((unsigned char)c);
    return mask;
}

// The classic path of the directory the selector ended in, with the mask
// the program gave: "C:\home\x\*.C".
bool classic_result(const char *layer_path, const std::string &mask, std::string &out)
{
    std::string dir = layer_path;
    dir.resize(dir.rfind('/') + 1);
    char classic[GEMC_PATH_BYTES];
    if (_gemc_classic_path(dir, classic, sizeof classic) != 0)
        return false;
    out = classic;
    if (out.back() != '\\')
        out += '\\';
    out += mask;
    return out.size() < GEMC_PATH_BYTES;
}

struct Selection {
    std::string path, file;
    short button = 0;
};

// Runs the layer's selector on the classic path; false when it could not
// be shown or what was picked cannot be handed back.
bool select(const char *path, const char *file, const char *title, Selection &picked)
{
    std::string dir, mask, linux_dir;
    split_classic(path, dir, mask);
    if (_gemc_linux_path(dir.c_str(), linux_dir) != 0)
        return false;
    char layer_path[GEM_PATH_MAX], layer_file[FSEL_NAME_CHARS + 1] = "";
    const std::string start = (linux_dir == "/" ? "/" : linux_dir + "/") + layer_mask(mask);
    if (start.size() >= sizeof layer_path)
        return false;
    memcpy(layer_path, start.c_str(), start.size() + 1);
    const int shown = title ? fsel_exinput(layer_path, layer_file, &picked.button, title)
                            : fsel_input(layer_path, layer_file, &picked.button);
    if (!shown)
        return false;
    if (picked.button != 1)
        return true;
    // Accepted without a name picked: the name the program offered.
    picked.file = layer_file[0] ? layer_file : (fits(file, GEMC_NAME_BYTES) ? file : "");
    return picked.file.size() < GEMC_NAME_BYTES && classic_result(layer_path, mask, picked.path);
}

int run_selector(char *path, char *file, GEMC_REF button, const char *title)
{
    Selection picked;
    if (!path || !file || !fits(path, GEMC_PATH_BYTES) || !select(path, file, title, picked)) {
        gemc_put(button, 0, 0);
        return 0;
    }
    if (picked.button == 1) {
        memcpy(path, picked.path.c_str(), picked.path.size() + 1);
        memcpy(file, picked.file.c_str(), picked.file.size() + 1);
    }
    gemc_put(button, 0, picked.button);
    return 1;
}

bool is_file(const std::string &path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// A relative name as the layer looks it up (the program's folder, the
// working folder, PATH): as written, then in small letters.
bool find_relative(std::string name, std::string &found)
{
    for (char &c : name)
        if (c == '\\')
            c = '/';
    for (int pass = 0; pass < 2; pass++) {
        char buf[GEM_PATH_MAX];
        if (name.size() >= sizeof buf)
            return false;
        memcpy(buf, name.c_str(), name.size() + 1);
        if (shel_find(buf)) {
            found = buf;
            return true;
        }
        for (char &c : name)
            c = (char)std::tolower((unsigned char)c);
    }
    return false;
}

}  // namespace

int gemc_fsel_input(char *path, char *file, GEMC_REF button)
{
    return run_selector(path, file, button, nullptr);
}

int gemc_fsel_exinput(char *path, char *file, GEMC_REF button, const char *title)
{
    return run_selector(path, file, button, title ? title : "");
}

// A name with a drive or from the root is looked at where it says; any
// other is searched for. The path found replaces the name when it fits.
int gemc_shel_find(char *path)
{
    if (!path || !fits(path, GEMC_PATH_BYTES) || !path[0])
        return 0;
    std::string found;
    const bool absolute = path[0] == '\\' || path[0] == '/' || (path[0] && path[1] == ':');
    if (absolute) {
        if (_gemc_linux_path(path, found) != 0 || !is_file(found))
            return 0;
    } else if (!find_relative(path, found)) {
        return 0;
    }
    char classic[GEMC_PATH_BYTES];
    if (_gemc_classic_path(found, classic, sizeof classic) != 0)
        return 0;
    strcpy(path, classic);
    return 1;
}
