// A memory form (MFDB) that owns its bytes, for raster copy tests.
#pragma once

#include <cstddef>
#include <vector>

#include "gem/gem.h"

struct MemoryForm {
    std::vector<unsigned char> bytes;
    MFDB mfdb;

    // w x h bytes, every one `fill`. mfdb points into bytes: moving the
    // vector keeps its block, so the form may be returned by value.
    MemoryForm(short w, short h, unsigned char fill) : bytes((size_t)w * h, fill), mfdb()
    {
        mfdb.fd_addr = bytes.data();
        mfdb.fd_w = w;
        mfdb.fd_h = h;
    }
    MemoryForm(const MemoryForm &) = delete;
    MemoryForm(MemoryForm &&) = default;

    unsigned char at(int x, int y) const { return bytes[(size_t)y * mfdb.fd_w + x]; }
    void set(int x, int y, unsigned char v) { bytes[(size_t)y * mfdb.fd_w + x] = v; }
};
