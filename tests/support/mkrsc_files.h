// Files the resource compiler's tests read and write: the descriptions kept
// in the source tree, and images and texts in scratch folders.
#pragma once

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "mkrsc.h"

namespace mkrsc_test {

using Bytes = std::vector<unsigned char>;

inline std::string source(const std::string &relative)
{
    return std::string(SOURCE_DIR) + "/" + relative;
}

// The whole file; empty when it cannot be read.
inline std::string read_text(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline Bytes read_bytes(const std::string &path)
{
    const std::string s = read_text(path);
    return Bytes(s.begin(), s.end());
}

inline void write_file(const std::string &path, const std::string &contents)
{
    std::ofstream(path, std::ios::binary) << contents;
}

inline Bytes compile(const std::string &description)
{
    return mkrsc::build(mkrsc::parse(description));
}

// The two descriptions of the source tree, and the seed each one builds.
struct Example {
    const char *description;
    const char *seed;
};

constexpr Example EXAMPLES[] = {
    {"tools/mkrsc/example.txt", "tests/fuzz/corpus/rsrc/mkrsc_example.rsc"},
    {"tests/tools/data/every_attribute.txt", "tests/fuzz/corpus/rsrc/mkrsc_every_attribute.rsc"},
};

}  // namespace mkrsc_test
