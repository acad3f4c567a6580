#include "probe.h"

#include <allegro.h>
#include <stdio.h>
#include <string.h>
#include <time.h>

#include <map>
#include <string>

static int failures;

static std::map<std::string, probe_fn> &probes()
{
    static std::map<std::string, probe_fn> table;
    return table;
}

ProbeRegistrar::ProbeRegistrar(const char *name, probe_fn fn) { probes()[name] = fn; }

void check(bool cond, const char *name, const char *detail)
{
    if (cond) {
        printf("ok %s\n", name);
    } else {
        printf("FAIL %s: %s\n", name, detail);
        failures++;
    }
    fflush(stdout);
}

int probe_failures(void) { return failures; }

void sleep_ms(long ms)
{
    struct timespec ts = {ms / 1000, (ms % 1000) * 1000000L};
    nanosleep(&ts, NULL);
}

int main(int argc, char **argv)
{
    if (argc > 1) {
        auto it = probes().find(argv[1]);
        if (it != probes().end()) {
            it->second(argc - 1, argv + 1);
            return failures ? 1 : 0;
        }
    }
    fprintf(stderr, "usage: gem_probe NAME [ARGS]; names:");
    for (auto &p : probes())
        fprintf(stderr, " %s", p.first.c_str());
    fprintf(stderr, "\n");
    return 2;
}
END_OF_MAIN()
