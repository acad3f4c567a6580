// mkclassicrsc DESC.txt OUT.RSC: a classic .RSC file from the description
// classic_rsc_text.h reads, for tests and the examples. Exit status 0, or 1
// with a message naming the file (and the line) on standard error.
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "classic_rsc_text.h"

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::cerr << "usage: mkclassicrsc DESC.txt OUT.RSC\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "mkclassicrsc: cannot read " << argv[1] << "\n";
        return 1;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    classic_rsc::Bytes bytes;
    try {
        bytes = classic_rsc::from_text(text);
    } catch (const std::exception &e) {
        std::cerr << "mkclassicrsc: " << argv[1] << ": " << e.what() << "\n";
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary);
    out.write((const char *)bytes.data(), (std::streamsize)bytes.size());
    if (!out.flush()) {
        std::cerr << "mkclassicrsc: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
