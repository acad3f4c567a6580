/* gemdemo: a small program on the whole layer.
 *
 * Its menus and its settings dialog come from gemdemo.rsc, built from the
 * text gemdemo.txt by mkrsc and loaded from beside the program. It waits in
 * evnt_multi for menu messages, mouse buttons, keys and a timer that moves
 * a small bar along the bottom of the desktop. On the desktop a drag with
 * the left button stretches a rubber-band box, which is then filled; a drag
 * that starts on that box moves it; 'q' asks to quit, as the menu does. Each thing the user does is
 * also told on standard output, one line each, for whoever runs it from a terminal.
 */
#define _POSIX_C_SOURCE 200809L /* readlink */
#include <allegro.h>
#include <limits.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include "gem/gem.h"
#include "gemdemo_rsc.h"
#include "picture.h"

int handle = 0;

static OBJECT *menu, *settings, *controls;
static short screen_w = 320, screen_h = 200;
static const short DESK_TOP = 11; /* below the menu bar */

/* The filled box on the desktop, w 0 when there is none. */
static short box_x, box_y, box_w, box_h;

static int animate = 1;
static int speed = 4; /* pixels the bar moves per tick of the timer */
static int bar_x;     /* where the animated bar is */
static char name[13] = "Ada";
static char age[4] = "36";
static int volume = 50; /* 0 to 100, the slider */

static char path[256], file[128] = "*.pcx";

static void say(const char *what, const char *detail)
{
    printf("%s%s%s\n", what, detail ? " " : "", detail ? detail : "");
    fflush(stdout);
}

static void bar(int colour, short x1, short y1, short x2, short y2)
{
    short pxy[4];
    pxy[0] = x1;
    pxy[1] = y1;
    pxy[2] = x2;
    pxy[3] = y2;
    vsf_color(handle, colour);
    /* Drawing calls leave the pointer alone: it is hidden around them, so
     * that it does not put back what was under it before. */
    graf_mouse(M_OFF, NULL);
    v_bar(handle, pxy);
    graf_mouse(M_ON, NULL);
}

/* ---- the desktop --------------------------------------------------------- */

static const int DESK_COLOUR = 4, BOX_COLOUR = 2, BAR_COLOUR = 3;
static const short BAR_W = 16, BAR_H = 4;
static const short MIN_BOX = 8; /* a smaller rubber band is a click */

static void draw_desktop(void)
{
    bar(DESK_COLOUR, 0, DESK_TOP, screen_w - 1, screen_h - 1);
    if (box_w > 0)
        bar(BOX_COLOUR, box_x, box_y, box_x + box_w - 1, box_y + box_h - 1);
}

static void step_animation(void)
{
    const short y = screen_h - BAR_H - 2;
    bar(DESK_COLOUR, bar_x, y, bar_x + BAR_W - 1, y + BAR_H - 1);
    bar_x = (bar_x + speed) % (screen_w - BAR_W);
    bar(BAR_COLOUR, bar_x, y, bar_x + BAR_W - 1, y + BAR_H - 1);
}

static int on_box(short x, short y)
{
    return box_w > 0 && x >= box_x && x < box_x + box_w && y >= box_y && y < box_y + box_h;
}

/* A left press on the desktop: a new box stretched from there, or the box
 * under the pointer dragged to a new place inside the desktop. */
static void desktop_press(short x, short y)
{
    char where[64];
    if (y < DESK_TOP)
        return;
    if (on_box(x, y)) {
        short nx, ny;
        graf_dragbox(box_w, box_h, box_x, box_y, 0, DESK_TOP, screen_w, screen_h - DESK_TOP, &nx,
                     &ny);
        box_x = nx;
        box_y = ny;
        snprintf(where, sizeof where, "%d %d", box_x, box_y);
        say("box moved to", where);
    } else {
        short w, h;
        graf_rubberbox(x, y, 4, 4, &w, &h);
        /* A click without a drag (on a disabled menu entry, say) makes
         * no box. */
        if (w < MIN_BOX || h < MIN_BOX)
            return;
        box_x = x;
        box_y = y;
        box_w = w;
        box_h = h;
        snprintf(where, sizeof where, "%d %d %d %d", box_x, box_y, box_w, box_h);
        say("box drawn at", where);
    }
    draw_desktop();
}

/* ---- the menu entries ---------------------------------------------------- */

static void about(void)
{
    form_alert(1, "[1][gemdemo shows the layer:|menus, dialogs, alerts,|"
                  "a file selector, boxes|and a timer.][ OK ]");
    say("about", NULL);
}

static void open_picture(void)
{
    short button;
    char full[512];
    const char *refused;
    fsel_exinput(path, file, &button, "Open a PCX picture");
    if (!button) {
        say("open cancelled", NULL);
        return;
    }
    snprintf(full, sizeof full, "%s%s", path, file);
    menu_bar(menu, 0);
    refused = show_picture(full);
    if (refused) {
        menu_bar(menu, 1);
        draw_desktop();
        say("picture refused:", refused);
        form_error_text(refused);
        return;
    }
    say("picture shown", full);
    /* Until a key or a click. */
    {
        short msg[8], mx, my, mb, ks, key, n;
        evnt_multi(EV_KEYBOARD | EV_BUTTON, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, msg, 0, 0, &mx,
                   &my, &mb, &ks, &key, &n);
    }
    draw_desktop();
    menu_bar(menu, 1);
    say("picture closed", NULL);
}

static void ask_number(void)
{
    char said[16];
    const int n = form_input(2, "Speed", speed, "Animation");
    if (n >= 1 && n <= 99)
        speed = n;
    snprintf(said, sizeof said, "%d", speed);
    say("speed", said);
}

static void toggle_animation(void)
{
    animate = !animate;
    menu_icheck(menu, M_ANIMATE, animate);
    say("animation", animate ? "on" : "off");
}

/* ---- the settings dialog ------------------------------------------------- */

static TEDINFO *ted(int index) { return (TEDINFO *)settings[index].ob_spec; }

static int knob_range(void) { return settings[S_TRACK].ob_width - settings[S_KNOB].ob_width; }

static void show_volume(void)
{
    static char text[4];
    snprintf(text, sizeof text, "%d", volume);
    settings[S_VOLUME].ob_spec = (long)text;
    settings[S_KNOB].ob_x = (short)(volume * (knob_range() - 1) / 100);
}

/* The knob moves while the button is held; form_infobox has put the screen
 * back by then, so the box is opened again at its place for the drag. */
static void drag_knob(void)
{
    short x, y, w, h;
    form_center(settings, &x, &y, &w, &h);
    form_dial(0, 0, 0, 0, 0, x, y, w, h);
    objc_draw(settings, 0, 8, x, y, w, h);
    say("knob held", NULL);
    graf_slidebox(settings, S_TRACK, S_KNOB, 0);
    volume = settings[S_KNOB].ob_x * 100 / (knob_range() - 1);
    form_dial(3, 0, 0, 0, 0, x, y, w, h);
}

static void edit_settings(void)
{
    char said[64], old_name[13], old_age[4];
    const int old_volume = volume;
    int r;
    strcpy(old_name, name);
    strcpy(old_age, age);
    ted(S_NAME)->te_ptext = name;
    ted(S_AGE)->te_ptext = age;
    for (;;) {
        show_volume();
        r = form_infobox(settings);
        if (r != S_KNOB)
            break;
        drag_knob();
    }
    if (r != S_OK) {
        strcpy(name, old_name);
        strcpy(age, old_age);
        volume = old_volume;
        say("settings cancelled", NULL);
        return;
    }
    snprintf(said, sizeof said, "name=%s age=%s volume=%d", name, age, volume);
    say("settings", said);
}

/* ---- the controls dialog ------------------------------------------------- */

static const char *const SHAPES[] = {"Box", "Disc", "Star"};
static int shape = 0;                   /* 0 box, 1 disc, 2 star */
static int shape_size = 12;             /* 4 to 30: half the shape's width */
static char alarm_digits[7] = "103000"; /* the digits; the template shows the colons */
static char size_text[4];

static int chosen_shape(void)
{
    int k;
    for (k = 0; k < 3; k++)
        if (controls[C_BOX + k].ob_flags & OF_SELECTED)
            return k;
    return 0;
}

/* The preview: the chosen shape in the chosen size, drawn by the program
 * whenever the layer draws the dialog. */
static int draw_preview(PARMBLK *pb)
{
    const short cx = pb->pb_x + pb->pb_w / 2, cy = pb->pb_y + pb->pb_h / 2;
    const short r = (short)shape_size;
    short frame[4], pxy[20];
    int k;
    frame[0] = pb->pb_x;
    frame[1] = pb->pb_y;
    frame[2] = pb->pb_x + pb->pb_w - 1;
    frame[3] = pb->pb_y + pb->pb_h - 1;
    vsf_interior(handle, FIS_SOLID);
    vsf_perimeter(handle, 0);
    vsf_color(handle, 0);
    v_bar(handle, frame);
    vsl_color(handle, 1);
    pxy[0] = frame[0], pxy[1] = frame[1], pxy[2] = frame[2], pxy[3] = frame[1];
    pxy[4] = frame[2], pxy[5] = frame[3], pxy[6] = frame[0], pxy[7] = frame[3];
    pxy[8] = frame[0], pxy[9] = frame[1];
    v_pline(handle, 5, pxy);
    vsf_color(handle, BOX_COLOUR);
    switch (chosen_shape()) {
    case 1: v_circle(handle, cx, cy, r); break;
    case 2:
        /* Five points, every second corner of a pentagon's ten. */
        for (k = 0; k < 10; k++) {
            static const short X[10] = {0, 22, 95, 36, 59, 0, -59, -36, -95, -22};
            static const short Y[10] = {-100, -31, -31, 12, 81, 38, 81, 12, -31, -31};
            pxy[2 * k] = (short)(cx + X[k] * r / 100);
            pxy[2 * k + 1] = (short)(cy + Y[k] * r / 100);
        }
        v_fillarea(handle, 10, pxy);
        break;
    default:
        frame[0] = cx - r, frame[1] = cy - r, frame[2] = cx + r, frame[3] = cy + r;
        v_bar(handle, frame);
        break;
    }
    return 0;
}

static void show_size(void)
{
    snprintf(size_text, sizeof size_text, "%d", shape_size);
    controls[C_SIZE].ob_spec = (long)size_text;
}

static void reset_controls(void)
{
    int k;
    for (k = 0; k < 3; k++)
        objc_change(controls, C_BOX + k, 0, 0, 0, 0, 0, k == 0 ? OS_SELECTED : OS_NORMAL, 0);
    shape_size = 12;
    strcpy(alarm_digits, "103000");
    show_size();
}

/* Runs the dialog as classic programs do: form_do again after each
 * touch-exit arrow, with only what changed drawn again. */
static void edit_controls(void)
{
    char said[64];
    short x, y, w, h;
    const int old_size = shape_size;
    int r;
    ((USERBLK *)controls[C_PREVIEW].ob_spec)->ub_code = draw_preview;
    ((TEDINFO *)controls[C_ALARM].ob_spec)->te_ptext = alarm_digits;
    for (r = 0; r < 3; r++)
        objc_change(controls, C_BOX + r, 0, 0, 0, 0, 0, r == shape ? OS_SELECTED : OS_NORMAL, 0);
    show_size();
    form_center(controls, &x, &y, &w, &h);
    form_dial(0, 0, 0, 0, 0, x, y, w, h);
    objc_draw(controls, 0, 8, x, y, w, h);
    for (;;) {
        r = form_do(controls, C_ALARM) & 0x7fff;
        if (r == C_UP || r == C_DOWN) {
            shape_size += r == C_UP ? 1 : -1;
            shape_size = shape_size < 4 ? 4 : shape_size > 30 ? 30 : shape_size;
            show_size();
            say("size", size_text);
            objc_draw(controls, C_SIZE, 1, 0, 0, 0, 0);
            objc_draw(controls, C_PREVIEW, 1, 0, 0, 0, 0);
            continue;
        }
        /* The exit buttons are left selected: shown normal again. */
        objc_change(controls, r, 0, x, y, w, h, OS_NORMAL, r == C_RESET);
        if (r != C_RESET)
            break;
        reset_controls();
        objc_draw(controls, 0, 8, 0, 0, 0, 0);
    }
    form_dial(3, 0, 0, 0, 0, x, y, w, h);
    if (r != C_OK) {
        shape_size = old_size;
        say("controls cancelled", NULL);
        return;
    }
    shape = chosen_shape();
    snprintf(said, sizeof said, "shape=%s size=%d alarm=%s", SHAPES[shape], shape_size,
             alarm_digits);
    say("controls", said);
}

static int confirm_quit(void) { return form_alert(2, "[2][Quit gemdemo?][Quit|Stay]") == 1; }

/* Runs one menu choice; returns 0 when the program is to end. */
static int chosen(int title, int entry)
{
    const char *text = (const char *)menu[entry].ob_spec;
    while (*text == ' ')
        text++;
    say("chose", text);
    menu_tnormal(menu, title, 1);
    switch (entry) {
    case M_ABOUT: about(); break;
    case M_OPEN: open_picture(); break;
    case M_QUIT:
        if (confirm_quit())
            return 0;
        say("quit cancelled", NULL);
        break;
    case M_ANIMATE: toggle_animation(); break;
    case M_SPEED: ask_number(); break;
    case M_SETTINGS: edit_settings(); break;
    case M_CONTROLS: edit_controls(); break;
    default: break;
    }
    return 1;
}

/* gemdemo.rsc lies beside the program. */
static int load_resource(void)
{
    char where[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", where, sizeof where - 16);
    char *slash;
    if (n <= 0)
        return 0;
    where[n] = '\0';
    slash = strrchr(where, '/');
    strcpy(slash ? slash + 1 : where, "gemdemo.rsc");
    return rsrc_load(where);
}

int main(void)
{
    int running = 1;
    appl_init(0);
    if (!load_resource())
        appl_exit();
    rsrc_gaddr(R_TREE, MENU, &menu);
    rsrc_gaddr(R_TREE, SETTINGS, &settings);
    rsrc_gaddr(R_TREE, CONTROLS, &controls);
    draw_desktop();
    menu_bar(menu, 1);
    menu_icheck(menu, M_ANIMATE, animate);
    say("ready", NULL);
    while (running) {
        short msg[8], mx, my, mb, ks, key, n;
        const int events =
            evnt_multi(EV_MESSAGE | EV_BUTTON | EV_KEYBOARD | EV_TIMER, 1, 1, 1, 0, 0, 0, 0, 0, 0,
                       0, 0, 0, 0, msg, 100, 0, &mx, &my, &mb, &ks, &key, &n);
        if (events & EV_MESSAGE && msg[0] == MSG_MENU_CHOSEN)
            running = chosen(msg[3], msg[4]);
        else if (events & EV_BUTTON)
            desktop_press(mx, my);
        else if (events & EV_KEYBOARD && key == 'q')
            running = !confirm_quit();
        if (running && events & EV_TIMER && animate)
            step_animation();
    }
    menu_bar(menu, 0);
    say("bye", NULL);
    appl_exit();
    return 0;
}
END_OF_MAIN()
