// mkrsc build DESC.txt OUT.rsc [--header OUT.h]: a description to a resource
// file (and a header of its indices). mkrsc dump IN.rsc: a resource file to
// its description on standard output. mkrsc import CLASSIC.RSC OUT.txt
// [--cell WxH]: a classic .RSC file to a description, positions in pixels
// for a character cell of W x H (8x8 by default: the layer's screen font).
// mkrsc --version: its name and version.
//
// Exit status 0 on success, 1 with a message on standard error when the
// input is refused or an output cannot be written (nothing is written then),
// 2 with a usage line for other arguments.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "gem/version.h"
#include "mkrsc.h"
#include "whole_file.h"

namespace {

const char USAGE[] = "usage: mkrsc build DESC.txt OUT.rsc [--header OUT.h]\n"
                     "       mkrsc dump IN.rsc\n"
                     "       mkrsc import CLASSIC.RSC OUT.txt [--cell WxH]\n";

// A file's bytes; false when it cannot be read.
bool read_file(const std::string &path, std::string &out)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

int refuse(const std::string &message)
{
    std::cerr << "mkrsc: " << message << "\n";
    return 1;
}

std::string located(const std::string &path, const mkrsc::Error &e)
{
    const std::string line = e.line() > 0 ? ":" + std::to_string(e.line()) : "";
    return path + line + ": " + e.what();
}

int build(const std::string &desc, const std::string &out, const std::string &header_path)
{
    std::string text;
    if (!read_file(desc, text))
        return refuse("cannot read " + desc);
    std::vector<unsigned char> image;
    std::string header;
    try {
        const mkrsc::Description d = mkrsc::parse(text);
        image = mkrsc::build(d);
        header = mkrsc::header(d, desc);
    } catch (const mkrsc::Error &e) {
        return refuse(located(desc, e));
    }
    PendingFile rsc(out), h(header_path);
    std::string failed = rsc.write(image.data(), image.size());
    if (failed.empty() && !header_path.empty())
        failed = h.write(header.data(), header.size());
    if (failed.empty())
        failed = rsc.commit();
    if (failed.empty() && !header_path.empty())
        failed = h.commit();
    if (!failed.empty())
        return refuse(failed);
    return 0;
}

int dump(const std::string &path)
{
    std::string bytes;
    if (!read_file(path, bytes))
        return refuse("cannot read " + path);
    try {
        std::cout << mkrsc::dump(std::vector<unsigned char>(bytes.begin(), bytes.end()));
    } catch (const mkrsc::Error &e) {
        return refuse(path + " " + e.what());
    }
    return std::cout.flush() ? 0 : refuse("cannot write the description");
}

// "WxH" with both from 1 to 255.
bool cell_size(const std::string &s, int &w, int &h)
{
    char tail = 0;
    return std::sscanf(s.c_str(), "%dx%d%c", &w, &h, &tail) == 2 && w > 0 && w < 256 && h > 0 &&
           h < 256;
}

int import(const std::string &path, const std::string &out, int cell_w, int cell_h)
{
    std::string bytes;
    if (!read_file(path, bytes))
        return refuse("cannot read " + path);
    std::string text;
    try {
        text = mkrsc::import_classic(std::vector<unsigned char>(bytes.begin(), bytes.end()), cell_w,
                                     cell_h);
    } catch (const mkrsc::Error &e) {
        return refuse(path + ": " + e.what());
    }
    const std::string failed = write_whole_file(out.c_str(), text.data(), text.size());
    return failed.empty() ? 0 : refuse(failed);
}

}  // namespace

int main(int argc, char **argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == "--version") {
        std::cout << "mkrsc " << GEM_VERSION_STRING << "\n";
        return 0;
    }
    if (args.size() == 2 && args[0] == "dump")
        return dump(args[1]);
    if (args.size() == 3 && args[0] == "build")
        return build(args[1], args[2], "");
    if (args.size() == 5 && args[0] == "build" && args[3] == "--header")
        return build(args[1], args[2], args[4]);
    int cell_w = 8, cell_h = 8;
    if (args.size() == 3 && args[0] == "import")
        return import(args[1], args[2], cell_w, cell_h);
    if (args.size() == 5 && args[0] == "import" && args[3] == "--cell" &&
        cell_size(args[4], cell_w, cell_h))
        return import(args[1], args[2], cell_w, cell_h);
    std::cerr << USAGE;
    return 2;
}
