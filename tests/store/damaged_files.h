// A history file with one page header of Lishi zeroed: still an SQLite file
// with its schema, but the draws can no longer be read.
#pragma once

#include "store/database.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace qudrim::testrows {

// Zeroes the header of the root page of Lishi in `file`, which no connection
// may hold in its write-ahead log (fold the log in first).
inline void zeroLishiPageHeader(const std::filesystem::path& file)
{
    int64_t root = 0;
    int64_t pageSize = 0;
    {
        store::Database db(file, store::Database::Mode::OpenExisting);
        auto st = db.prepare("SELECT rootpage FROM sqlite_master WHERE name = 'Lishi'");
        ASSERT_TRUE(st.step());
        root = st.columnInt(0);
        auto ps = db.prepare("PRAGMA page_size");
        ASSERT_TRUE(ps.step());
        pageSize = ps.columnInt(0);
    }
    ASSERT_GT(root, 1);
    std::fstream f(file, std::ios::binary | std::ios::in | std::ios::out);
    f.seekp((root - 1) * pageSize);
    const std::string zeros(12, '\0');
    f.write(zeros.data(), static_cast<std::streamsize>(zeros.size()));
    ASSERT_TRUE(f.good());
}

inline std::string bytesOfFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace qudrim::testrows
