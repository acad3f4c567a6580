/* Showing a PCX picture (8 bits per pixel, one plane, run-length encoded,
 * 256-colour palette at its end) on the whole screen. */
#ifndef GEMDEMO_PICTURE_H
#define GEMDEMO_PICTURE_H

/* Clears the screen and shows the picture's top-left part that fits, its
 * colours moved to palette entries 16 and up. Returns NULL, or why the
 * file was refused. */
const char *show_picture(const char *path);

#endif
