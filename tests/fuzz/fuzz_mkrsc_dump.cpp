// Fuzzing mkrsc dump: any bytes as a stored resource image.
//
// The dump refuses every image the layer's installer refuses. What it
// describes, the installer takes, and the description builds the same bytes
// again; an image the installer takes and whose length is the header's is
// either described or refused as one no description reproduces.
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gem/internal.h"
#include "gem/resource/stored.h"
#include "mkrsc.h"

namespace {

[[noreturn]] void broken(const char *what, const std::string &detail = "")
{
    fprintf(stderr, "fuzz_mkrsc_dump: %s %s\n", what, detail.c_str());
    abort();
}

// Whether the installer takes the image, given a buffer as long as its
// header says (padded with zeros), as rsrc_include expects.
bool installer_takes(const std::vector<unsigned char> &image, size_t *claimed)
{
    if (image.size() < (size_t)stored::HEADER_SIZE)
        return false;
    *claimed = stored::HEADER_SIZE + (size_t)stored::read_header(image.data()).rsh_rssize;
    std::vector<unsigned char> copy(std::max(image.size(), *claimed), 0);
    memcpy(copy.data(), image.data(), image.size());
    const int took = rsrc_include(copy.data());
    _rsrc_release();
    return took;
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
    const std::vector<unsigned char> image(data, data + size);
    size_t claimed = 0;
    const bool installable = installer_takes(image, &claimed);
    std::string text;
    try {
        text = mkrsc::dump(image);
    } catch (const mkrsc::Error &e) {
        const bool whole = installable && claimed == size;
        if (whole && strncmp(e.what(), "cannot be described", 19) != 0)
            broken("an image the installer takes is called damaged:", e.what());
        return 0;
    }
    if (!installable)
        broken("described an image the installer refuses:", text);
    try {
        if (mkrsc::build(mkrsc::parse(text)) != image)
            broken("the description builds other bytes:", text);
    } catch (const mkrsc::Error &e) {
        broken("the description is refused:", e.what());
    }
    return 0;
}
