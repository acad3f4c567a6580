// pcx2spr: with no arguments, the interactive tool on the 320 x 200 screen;
// with a picture and an output name, a batch conversion without a display;
// with --version, its name and version.
#include <allegro.h>
#include <stdio.h>
#include <string.h>

#include "gem/version.h"
#include "pcx2spr.h"

int handle = 0;

int main(int argc, char **argv)
{
    if (argc == 3)
        return convert_batch(argv[1], argv[2]);
    if (argc == 2 && strcmp(argv[1], "--version") == 0) {
        printf("pcx2spr %s\n", GEM_VERSION_STRING);
        return 0;
    }
    if (argc != 1) {
        fprintf(stderr, "usage: pcx2spr [PICTURE OUTPUT]\n");
        return 2;
    }
    appl_init(0);
    load_sprite();
    appl_exit();
    return 0;
}
END_OF_MAIN()
