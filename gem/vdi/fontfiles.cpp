// The program's font folder: loading every font file in it into the font
// list, and unloading them again. The folder is $GEM_FONTS when that is set
// and not empty, else "fonts" in the current directory.
#include <dirent.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gem/vdi/fontlist.h"

namespace {

constexpr int kMaxFonts = 8;

std::string font_folder()
{
    const char *folder = getenv("GEM_FONTS");
    return folder && *folder ? folder : "fonts";
}

// Visible files whose name ends in ".fnt", any case, in byte order.
std::vector<std::string> font_files(const std::string &folder)
{
    std::vector<std::string> names;
    DIR *dir = opendir(folder.c_str());
    if (!dir)
        return names;
    while (const struct dirent *e = readdir(dir)) {
        const size_t n = strlen(e->d_name);
        if (e->d_name[0] != '.' && n > 4 && strcasecmp(e->d_name + n - 4, ".fnt") == 0)
            names.push_back(e->d_name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

bool folder_fonts_loaded()
{
    for (int n = 0; n < _no_of_fonts; n++)
        if (font_place(n).from_folder)
            return true;
    return false;
}

}  // namespace

// The layer reads font files itself (vst_load_font, vst_load_fonts): that is
// what a program asks when it asks for GDOS. 1 is neither 0 nor the -2 that
// both meant "no GDOS" to classic programs.
int vq_gdos(void) { return 1; }

// Files the list refuses (damaged, too long) are passed over. While fonts
// of an earlier call are still loaded, nothing is added again.
int vst_load_fonts(int handle, int select)
{
    (void)select;
    if (folder_fonts_loaded())
        return 0;
    const std::string folder = font_folder();
    int added = 0;
    for (const std::string &name : font_files(folder)) {
        if (_no_of_fonts >= kMaxFonts)
            break;
        const int number = vst_load_font(handle, (folder + "/" + name).c_str());
        if (number >= 0) {
            font_mark_from_folder(number);
            added++;
        }
    }
    return added;
}

// Fonts the program registered itself stay. If the current font goes, font
// 0 becomes current.
void vst_unload_fonts(int handle, int select)
{
    (void)select;
    bool current_goes = false;
    for (int n = _no_of_fonts - 1; n >= 3; n--) {
        if (!font_place(n).from_folder)
            continue;
        current_goes = current_goes || _font == _sysfonts[n];
        vst_unload_font(handle, n);
    }
    if (current_goes)
        vst_font(handle, 0);
}
