// mkrsc build DESC.txt OUT.rsc [--header OUT.h]: a description to a resource
// file (and a header of its indices). mkrsc dump IN.rsc: a resource file to
// its description on standard output.
//
// Exit status 0 on success, 1 with a message on standard error when the
// input is refused or an output cannot be written (nothing is written then),
// 2 with a usage line for other arguments.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "mkrsc.h"

namespace {

const char USAGE[] = "usage: mkrsc build DESC.txt OUT.rsc [--header OUT.h]\n"
                     "       mkrsc dump IN.rsc\n";

// A file's bytes; false when it cannot be read.
bool read_file(const std::string &path, std::string &out)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// An output written beside its target under a temporary name, moved into
// place by commit() and removed otherwise.
class Pending {
public:
    explicit Pending(std::string target) : target_(std::move(target)) {}
    ~Pending()
    {
        if (!temp_.empty())
            std::remove(temp_.c_str());
    }
    Pending(const Pending &) = delete;
    Pending &operator=(const Pending &) = delete;

    bool write(const void *bytes, size_t size)
    {
        std::vector<char> name(target_.begin(), target_.end());
        const std::string suffix = ".tmpXXXXXX";
        name.insert(name.end(), suffix.begin(), suffix.end());
        name.push_back('\0');
        const int fd = mkstemp(name.data());
        if (fd < 0)
            return false;
        temp_ = name.data();
        // mkstemp makes the file private; the output gets the permissions
        // of any new file.
        const mode_t mask = umask(0);
        umask(mask);
        if (fchmod(fd, 0666 & ~mask) != 0) {
            close(fd);
            return false;
        }
        FILE *f = fdopen(fd, "wb");
        if (!f) {
            close(fd);
            return false;
        }
        const bool written = std::fwrite(bytes, 1, size, f) == size;
        return std::fclose(f) == 0 && written;
    }

    bool commit()
    {
        if (std::rename(temp_.c_str(), target_.c_str()) != 0)
            return false;
        temp_.clear();
        return true;
    }

    const std::string &target() const { return target_; }

private:
    std::string target_;
    std::string temp_;
};

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
    Pending rsc(out), h(header_path);
    if (!rsc.write(image.data(), image.size()))
        return refuse("cannot write " + out);
    if (!header_path.empty() && !h.write(header.data(), header.size()))
        return refuse("cannot write " + header_path);
    if (!rsc.commit())
        return refuse("cannot write " + out);
    if (!header_path.empty() && !h.commit())
        return refuse("cannot write " + header_path);
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

}  // namespace

int main(int argc, char **argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "dump")
        return dump(args[1]);
    if (args.size() == 3 && args[0] == "build")
        return build(args[1], args[2], "");
    if (args.size() == 5 && args[0] == "build" && args[3] == "--header")
        return build(args[1], args[2], args[4]);
    std::cerr << USAGE;
    return 2;
}
