// gem_probe: small programs on the layer, run in Xvfb by the end-to-end
// tests (`gem_probe NAME ARGS...`). Each check prints "ok NAME" or
// "FAIL NAME: detail"; the scripts fail on any FAIL line and check the exit
// status. A probe file defines its programs with PROBE(name) { ... }.
#pragma once

typedef void (*probe_fn)(int argc, char **argv);

struct ProbeRegistrar {
    ProbeRegistrar(const char *name, probe_fn fn);
};

#define PROBE(name)                                                                                \
    static void probe_##name(int argc, char **argv);                                               \
    static ProbeRegistrar registrar_##name(#name, probe_##name);                                   \
    static void probe_##name(int argc, char **argv)

// Prints the check's result; counts failures.
void check(bool cond, const char *name, const char *detail = "");
int probe_failures(void);
void sleep_ms(long ms);
