/* wm_close NAME: asks the top-level window named NAME to close, as a window
 * manager's close button does: a WM_DELETE_WINDOW client message. The
 * test's X servers run without a window manager, so this stands in for the
 * person clicking the close button. Exits 1 when no window has that name. */
#include <X11/Xlib.h>
#include <stdio.h>
#include <string.h>

static Window named(Display *d, Window w, const char *name)
{
    char *have = NULL;
    if (XFetchName(d, w, &have) && have) {
        const int same = strcmp(have, name) == 0;
        XFree(have);
        if (same)
            return w;
    }
    Window root, parent, *children = NULL, found = 0;
    unsigned n = 0;
    if (!XQueryTree(d, w, &root, &parent, &children, &n))
        return 0;
    for (unsigned i = 0; i < n && !found; i++)
        found = named(d, children[i], name);
    if (children)
        XFree(children);
    return found;
}

int main(int argc, char **argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: wm_close NAME\n");
        return 2;
    }
    Display *d = XOpenDisplay(NULL);
    if (!d) {
        fprintf(stderr, "wm_close: no display\n");
        return 2;
    }
    const Window w = named(d, DefaultRootWindow(d), argv[1]);
    if (!w) {
        fprintf(stderr, "wm_close: no window named %s\n", argv[1]);
        return 1;
    }
    XEvent ev;
    memset(&ev, 0, sizeof ev);
    ev.xclient.type = ClientMessage;
    ev.xclient.window = w;
    ev.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = (long)XInternAtom(d, "WM_DELETE_WINDOW", False);
    ev.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, w, False, NoEventMask, &ev);
    XCloseDisplay(d);
    return 0;
}
