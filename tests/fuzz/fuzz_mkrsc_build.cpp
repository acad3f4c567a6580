// Fuzzing mkrsc build: any text as a resource description.
//
// A refused description throws mkrsc::Error, with the line it concerns
// inside the text, and builds nothing. An accepted one builds an image the
// layer's installer takes, its header of indices is written, and `mkrsc
// dump` of the image gives a description that builds the same bytes again.
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gem/internal.h"
#include "mkrsc.h"

namespace {

[[noreturn]] void broken(const char *what, const std::string &detail = "")
{
    fprintf(stderr, "fuzz_mkrsc_build: %s %s\n", what, detail.c_str());
    abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    (void)argc;
    (void)argv;
    _gemio = &_memory_io;
    appl_init(0);  // the installer fixes objects to the system font's cells
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string text(data, data + size);
    const int lines = (int)std::count(text.begin(), text.end(), '\n') + 1;
    std::vector<unsigned char> image;
    try {
        const mkrsc::Description d = mkrsc::parse(text);
        image = mkrsc::build(d);
        mkrsc::header(d, "fuzz.txt");
    } catch (const mkrsc::Error &e) {
        if (e.line() < 0 || e.line() > lines || !*e.what())
            broken("a refusal without a line of the text or a reason:", e.what());
        return 0;
    }

    std::vector<unsigned char> installed = image;
    if (!rsrc_include(installed.data()))
        broken("the installer refuses what mkrsc built");
    _rsrc_release();

    std::string again;
    try {
        again = mkrsc::dump(image);
        if (mkrsc::build(mkrsc::parse(again)) != image)
            broken("the dump builds other bytes:", again);
    } catch (const mkrsc::Error &e) {
        broken("the built image cannot be dumped and built again:", e.what());
    }
    return 0;
}
