// TEMPORARY STAND-IN for the alert, input and error boxes, until the dialog
// loop and the boxes are built: alerts are written to standard error and
// answered with their default button; the input box keeps the default text.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "gem/internal.h"

int form_alert(int default_button, const char *alert)
{
    // "[icon][line|line][button|button]": print the lines, one per row.
    const char *text = strchr(alert, ']');
    text = text ? strchr(text, '[') : NULL;
    if (text) {
        for (text++; *text && *text != ']'; text++)
            fputc(*text == '|' ? '\n' : *text, stderr);
        fputc('\n', stderr);
    }
    return default_button > 0 ? default_button : 1;
}

int form_error_text(const char *text)
{
    size_t n = strlen(text) + 10;
    char *s = (char *)malloc(n);
    if (!s)
        return 1;
    snprintf(s, n, "[0][%s][OK]", text);
    form_alert(1, s);
    free(s);
    return 1;
}

int form_input_text(int maxlen, const char *prompt, char *text, const char *title)
{
    (void)maxlen;
    (void)prompt;
    (void)title;
    (void)text;
    return 2;  // the "Return" button of the input box
}
