// Result files written through their own buffer, and the listing reaching its file while a
// run goes on, so that its size tells how far the run is.
#include "output_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "test_systems.h"

namespace brenta {
namespace {

TEST(OutputFileTest, WhatHasWaitedLongEnoughReachesTheFileTheRestStaysInTheBuffer) {
    testing::TempFolder folder;
    const std::string path = (folder.path() / "listasis.txt").string();
    const auto size = [&] { return std::filesystem::file_size(path); };
    OutputFile file;
    file.create(path);
    file.write("    1.000000000E+00\r\n");
    // Only just created: a minute has not passed.
    file.flushWhenOlderThan(60000);
    EXPECT_EQ(size(), 0u);
    file.flushWhenOlderThan(0);
    EXPECT_EQ(size(), 21u);
    file.write("    2.000000000E+00\r\n");
    file.flushWhenOlderThan(60000);  // only just written out
    EXPECT_EQ(size(), 21u);
    file.close();
    EXPECT_EQ(folder.read("listasis.txt"), "    1.000000000E+00\r\n    2.000000000E+00\r\n");
}

}  // namespace
}  // namespace brenta
