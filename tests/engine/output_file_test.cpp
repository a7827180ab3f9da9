// Result files written through their own buffer, and the listing reaching its file while a
// run goes on, so that its size tells how far the run is.
#include "output_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "engine_error.h"
#include "full_disk.h"
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

TEST(OutputFileTest, SharedBytesAreWrittenInTheirPlaceAmongCopiedOnesWhateverTheirCount) {
    testing::TempFolder folder;
    const std::string path = (folder.path() / "redun.TXT").string();
    OutputFile file;
    file.create(path);
    // Long runs shared from memory that outlives the file's flushes, short runs that are
    // copied, bytes put in through room(): in all more pieces than one gathering write takes,
    // and more shared bytes than the buffer holds.
    std::vector<std::string> sources;
    for (int n = 0; n < 64; ++n) sources.push_back(std::string(300 + 97 * n, char('a' + n % 26)));
    std::string expected;
    for (int n = 0; n < 3000; ++n) {
        const std::string& s = sources[n % sources.size()];
        file.writeShared(s.data(), s.size());
        expected += s;
        char* p = file.room(16);
        const int len = std::snprintf(p, 16, "<%d>", n);
        file.commit(p + len);
        expected.append(p, len);
        if (n % 7 == 0) {
            file.write("\r\n");
            expected += "\r\n";
        }
    }
    EXPECT_TRUE(file.holdsShared());
    file.close();
    EXPECT_GT(expected.size(), std::size_t{3} << 20);
    EXPECT_EQ(folder.read("redun.TXT"), expected);
}

TEST(OutputFileTest, AfterAFlushTheSharedMemoryMayChange) {
    testing::TempFolder folder;
    const std::string path = (folder.path() / "redun.TXT").string();
    OutputFile file;
    file.create(path);
    std::string text(2000, 'x');
    file.writeShared(text.data(), text.size());
    EXPECT_TRUE(file.holdsShared());
    file.flush();
    EXPECT_FALSE(file.holdsShared());
    EXPECT_EQ(std::filesystem::file_size(path), 2000u);
    text.assign(2000, 'y');
    file.writeShared(text.data(), 1000);
    text.assign(2000, 'z');  // before the flush: what the file writes is what is there then
    file.close();
    EXPECT_EQ(folder.read("redun.TXT"), std::string(2000, 'x') + std::string(1000, 'z'));
}

// A file that takes only part of a gathering write, then nothing more: the rest is tried
// again from the first byte not written, and the refusal ends the run as a write error.
TEST(OutputFileTest, AGatheringWriteCutShortGoesOnThenReportsTheFailure) {
    testing::TempFolder folder;
    const std::string path = (folder.path() / "redun.TXT").string();
    const std::string text(3000, 'r');
    int status = 0;
    std::string message;
    {
        OutputFile file;
        file.create(path);
        FullDisk full;  // the file may grow to FullDisk::kBytes only
        file.write("head");
        file.writeShared(text.data(), text.size());
        file.write("tail");
        try {
            file.close();
        } catch (const EngineError& e) {
            status = e.status();
            message = e.what();
        }
    }
    EXPECT_EQ(status, kExitOutputError);
    EXPECT_NE(message.find("no se puede escribir en el fichero de resultados"), std::string::npos)
        << message;
    EXPECT_EQ(folder.read("redun.TXT"), "head" + text.substr(0, FullDisk::kBytes - 4));
}

// Parts whose places are known beforehand, each written by its own thread through a file
// opened at its place, shared runs and copied bytes mixed; the file then goes on after them.
TEST(OutputFileTest, PartsWrittenAtTheirPlacesFromSeveralThreadsMakeOneFile) {
    testing::TempFolder folder;
    const std::string path = (folder.path() / "redun.TXT").string();
    std::vector<std::string> parts;
    for (int n = 0; n < 6; ++n) parts.push_back(std::string(300000 + 70001 * n, char('a' + n)));
    OutputFile file;
    file.create(path);
    file.write("headings\r\n");
    std::vector<std::int64_t> at{file.size()};
    for (const std::string& part : parts) at.push_back(at.back() + 2 * part.size() + 4);
    file.flush();
    file.reserve(at.back() - file.size());
    std::vector<std::thread> threads;
    for (std::size_t n = 0; n < parts.size(); ++n) {
        threads.emplace_back([&, n] {
            OutputFile place;
            place.openAt(file, at[n]);
            // More shared pieces than one gathering write takes.
            for (std::size_t from = 0; from < parts[n].size(); from += 600)
                place.writeShared(parts[n].data() + from,
                                  std::min<std::size_t>(600, parts[n].size() - from));
            place.write("<>");
            place.write(parts[n]);
            char* p = place.room(2);
            std::memcpy(p, "\r\n", 2);
            place.commit(p + 2);
            place.close();
        });
    }
    for (std::thread& t : threads) t.join();
    file.resumeAt(at.back());
    file.write("end");
    file.close();
    std::string expected = "headings\r\n";
    for (const std::string& part : parts) expected += part + "<>" + part + "\r\n";
    EXPECT_EQ(folder.read("redun.TXT"), expected + "end");
}

// A part that was not written leaves a gap: the file is cut where the gap begins, and the
// room set aside beyond is given back.
TEST(OutputFileTest, AFileResumedBeforeAGapEndsThereWithNoRoomHeldBeyond) {
    testing::TempFolder folder;
    const std::string path = (folder.path() / "redun.TXT").string();
    OutputFile file;
    file.create(path);
    file.write("headings");
    file.flush();
    file.reserve(std::int64_t{64} << 20);
    {
        OutputFile later;
        later.openAt(file, 8 + 1000);
        later.write(std::string(5000, 'x'));
        later.close();
    }
    file.resumeAt(8);
    file.close();
    EXPECT_EQ(folder.read("redun.TXT"), "headings");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_LT(st.st_blocks * 512, 1 << 20);
}

// A file opened at a place that meets the file-size limit writes up to it, then fails as
// any write does; how far it came tells where the file's gap would begin.
TEST(OutputFileTest, APartCutShortAtItsPlaceReportsTheFailureAndHowFarItCame) {
    testing::TempFolder folder;
    const std::string path = (folder.path() / "redun.TXT").string();
    OutputFile file;
    file.create(path);
    const std::string text(3000, 'r');
    int status = 0;
    std::string message;
    std::int64_t end = 0;
    {
        FullDisk full;
        OutputFile place;
        place.openAt(file, 40);
        place.write("head");
        place.writeShared(text.data(), text.size());
        try {
            place.flush();
        } catch (const EngineError& e) {
            status = e.status();
            message = e.what();
        }
        end = place.writtenEnd();
    }
    EXPECT_EQ(status, kExitOutputError);
    EXPECT_NE(message.find("no se puede escribir en el fichero de resultados " + path),
              std::string::npos)
        << message;
    EXPECT_EQ(end, static_cast<std::int64_t>(FullDisk::kBytes));
    file.resumeAt(end);
    file.close();
    EXPECT_EQ(folder.read("redun.TXT"), std::string(40, '\0') + "head" + text.substr(0, 56));
}

}  // namespace
}  // namespace brenta
