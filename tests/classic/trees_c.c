/* A classic dialog as an .RSH file declares it: strings, a TEDINFO and an
 * object array whose ob_spec fields are indices until the program fixes
 * them, positions in character cells until rsrc_obfix. */
#include <aesbind.h>
#include <string.h>

#include "classic/trees_c.h"

static char name_text[9];
static char *rs_strings[] = {"Name: ________", "XXXXXXXX", "One", "Two", "Hello", "OK"};

static TEDINFO rs_tedinfo[] = {
    {name_text, 0L, 0L, IBM, 0, TE_LEFT, 0x1180, 0, 0, 9, 15},
};

#define NUM_OBS 7
static const OBJECT rs_pristine[NUM_OBS] = {
    {-1, 1, 6, G_BOX, NONE, OUTLINED, 0x000211F0L, 0, 0, 30, 10},
    {2, -1, -1, G_FTEXT, EDITABLE, NORMAL, 0L, 2, 1, 14, 1},
    {5, 3, 4, G_IBOX, NONE, NORMAL, 0x00001100L, 2, 3, 20, 2},
    {4, -1, -1, G_BUTTON, SELECTABLE | RBUTTON, SELECTED, 2L, 0, 0, 8, 1},
    {2, -1, -1, G_BUTTON, SELECTABLE | RBUTTON, NORMAL, 3L, 10, 0, 8, 1},
    {6, -1, -1, G_STRING, NONE, NORMAL, 4L, 2, 6, 5, 1},
    {0, -1, -1, G_BUTTON, SELECTABLE | DEFAULT | EXIT | LASTOB, NORMAL, 5L, 20, 8, 8, 1},
};

static OBJECT rs_object[NUM_OBS];
static GRECT box;

void trees_c_prepare(void)
{
    int i;
    memset(name_text, 0, sizeof name_text);
    memcpy(rs_object, rs_pristine, sizeof rs_object);
    rs_tedinfo[0].te_ptmplt = rs_strings[0];
    rs_tedinfo[0].te_pvalid = rs_strings[1];
    for (i = 0; i < NUM_OBS; i++) {
        if (rs_object[i].ob_type == G_BUTTON || rs_object[i].ob_type == G_STRING)
            rs_object[i].ob_spec = (LONG)rs_strings[i - 1];
        else if (rs_object[i].ob_type == G_FTEXT)
            rs_object[i].ob_spec = (LONG)&rs_tedinfo[0];
        rsrc_obfix(rs_object, i);
    }
    form_center(rs_object, &box.g_x, &box.g_y, &box.g_w, &box.g_h);
    form_dial(FMD_START, 0, 0, 0, 0, box.g_x, box.g_y, box.g_w, box.g_h);
    objc_draw(rs_object, ROOT, MAX_DEPTH, box.g_x, box.g_y, box.g_w, box.g_h);
}

void trees_c_where(int obj, short *x, short *y)
{
    int ox = 0, oy = 0; /* any width of the program's own */
    objc_offset(rs_object, obj, &ox, &oy);
    *x = (short)(ox + rs_object[obj].ob_width / 2);
    *y = (short)(oy + rs_object[obj].ob_height / 2);
}

int trees_c_run(void)
{
    const int ended = form_do(rs_object, TC_NAME);
    form_dial(FMD_FINISH, 0, 0, 0, 0, box.g_x, box.g_y, box.g_w, box.g_h);
    return ended;
}

int trees_c_state(int obj) { return rs_object[obj].ob_state; }

const char *trees_c_name(void) { return name_text; }
