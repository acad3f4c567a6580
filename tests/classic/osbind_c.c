/* The operating-system calls as a classic C program writes them. */
#include <osbind.h>
#include <string.h>

#include "classic/osbind_c.h"

_Static_assert(sizeof(DTA) == 44, "the classic disk transfer area");

static int write_file(const char *name, const char *text)
{
    WORD fh = (WORD)Fcreate(name, 0);
    if (fh < 6)
        return 0;
    LONG n = Fwrite(fh, (LONG)strlen(text), text);
    return Fclose(fh) == E_OK && n == (LONG)strlen(text);
}

static int read_back(const char *name, const char *text)
{
    char buf[32];
    LONG fh = Fopen(name, 0);
    if (fh < 0)
        return 0;
    LONG n = Fread((WORD)fh, (LONG)sizeof buf - 1, buf);
    Fclose((WORD)fh);
    buf[n > 0 ? n : 0] = '\0';
    return strcmp(buf, text) == 0;
}

static int search_finds(const char *pattern, const char *name, LONG length)
{
    DTA dta;
    DTA *old = Fgetdta();
    Fsetdta(&dta);
    int found = Fsfirst(pattern, 0) == E_OK && strcmp(dta.d_fname, name) == 0 &&
                dta.d_length == length && Fsnext() == ENMFIL;
    Fsetdta(old);
    return found;
}

static int path_round_trip(void)
{
    char path[128];
    path[0] = (char)('A' + Dgetdrv());
    path[1] = ':';
    if (Dgetpath(path + 2, 0) != E_OK)
        return 0;
    strcat(path, "\\ONE.TXT");
    return read_back(path, "one");
}

int osbind_c_steps(void)
{
    if (!write_file("ONE.TXT", "one"))
        return 1;
    if (!read_back("one.txt", "one"))
        return 2;
    if (!search_finds("*.TXT", "ONE.TXT", 3))
        return 3;
    if (!path_round_trip())
        return 4;
    if (Frename(0, "ONE.TXT", "TWO.TXT") != E_OK || Fopen("ONE.TXT", 0) != EFILNF)
        return 5;
    if (Fattrib("TWO.TXT", 0, 0) != 0 || Fdelete("TWO.TXT") != E_OK)
        return 6;
    LONG date = Tgetdate();
    if ((date & 0x1F) < 1 || ((date >> 5) & 0x0F) < 1 || ((date >> 5) & 0x0F) > 12)
        return 7;
    char *block = (char *)Malloc(64);
    if (!block || Mfree(block) != E_OK || Mfree(block) != EIMBA)
        return 8;
    if (Dsetdrv(Dgetdrv()) != 4 || Fclose(1) != E_OK)
        return 9;
    return 0;
}
