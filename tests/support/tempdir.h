// A scratch folder for one test, removed with everything in it afterwards.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>

class TempDir {
public:
    TempDir()
    {
        char tmpl[] = "/tmp/gemtestXXXXXX";
        if (!mkdtemp(tmpl))
            throw std::runtime_error("cannot create a scratch folder");
        path_ = tmpl;
    }
    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    const std::string &path() const { return path_; }

private:
    std::string path_;
};
