// Dialogs in a real window: a three-button alert answered with the mouse,
// first with a held click and then with a click too quick for two polls to
// see the button down.
#include <stdio.h>

#include "gem/internal.h"
#include "probe.h"

static const char THREE[] = "[2][Three buttons here|and a second line][One|Two|Three]";

PROBE(form_alert)
{
    (void)argc;
    (void)argv;
    appl_init(0);
    for (int round = 1; round <= 2; round++) {
        printf("alert %d\n", round);
        fflush(stdout);
        int button = form_alert(1, THREE);
        printf("button %d\n", button);
        fflush(stdout);
        // Once the screen is put back, the next alert is drawn afresh.
        check(_rno == -1, "the saved area is given back", "");
    }
    printf("failures: %d\n", probe_failures());
    fflush(stdout);
    appl_exit();
}
