// Every failure of a run says why in Spanish, never in the system's own English words, and a
// bad line is quoted whole whatever bytes it holds.
#include <gtest/gtest.h>
#include <sys/mount.h>

#include <filesystem>
#include <string>

#include "engine_error.h"
#include "read_only_folder.h"
#include "small_disk.h"
#include "test_systems.h"

namespace brenta {
namespace {

using testing::EngineRun;

const auto kOne = testing::subsystems(1, 2, {{{1, 0.001}}}, 1, 10);
// Enough trials for a listing larger than a small disk.
const auto kLong = testing::subsystems(1, 2, {{{1, 0.001}}}, 1, 20000);

void expectSpanishReason(const EngineRun& r, const std::string& reason) {
    EXPECT_EQ(r.status, kExitOutputError) << r.err;
    EXPECT_NE(r.err.find(": " + reason + "\n"), std::string::npos) << r.err;
}

TEST(FailureReason, ResultFilesThatCannotBeWrittenSayWhy) {
    {
        EngineRun r;
        r.folder.write("SIS.DAT", farvik::dataFileBytes(kOne));
        std::filesystem::create_directory(r.folder.path() / "resumen.TXT");
        testing::runIn(r, {"SIS"}, "2\n");
        expectSpanishReason(r, "es una carpeta");
        EXPECT_NE(r.err.find("resumen.TXT"), std::string::npos) << r.err;
    }
    {
        EngineRun r;
        r.folder.write("SIS.DAT", farvik::dataFileBytes(kOne));
        {
            ReadOnlyFolder readOnly(r.folder.path().string());
            ASSERT_TRUE(readOnly.valid());
            testing::runIn(r, {"SIS"}, "2\n");
        }
        expectSpanishReason(r, "no hay permiso");
    }
}

// A real full disk and a file system mounted read-only (both need root to mount).
TEST(FailureReason, AFullDiskAndAReadOnlyDiskSayWhy) {
    EngineRun r;
    const std::string disk = (r.folder.path() / "disco").string();
    std::filesystem::create_directory(disk);
    {
        SmallDisk small(disk, 64);
        if (!small.valid()) GTEST_SKIP() << "no tmpfs can be mounted here";
        std::ofstream(disk + "/SIS.DAT", std::ios::binary) << farvik::dataFileBytes(kLong);
        std::istringstream in("2\n");
        std::ostringstream out, err;
        r.status = runBrenta({"SIS"}, in, out, err, disk);
        r.err = err.str();
        expectSpanishReason(r, "el disco está lleno");

        ASSERT_EQ(::mount(nullptr, disk.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
        std::istringstream again("2\n");
        std::ostringstream out2, err2;
        r.status = runBrenta({"SIS"}, again, out2, err2, disk);
        r.err = err2.str();
        expectSpanishReason(r, "la carpeta es de solo lectura");
    }
}

TEST(FailureReason, ABinaryDataFileIsQuotedWithItsBytesEscaped) {
    EngineRun r;
    std::string binary;
    for (int line = 0; line < 20; ++line)
        binary += std::string(
                      "\x7f"
                      "ELF\x02\x01\x00\x00x",
                      9) +
                  "\n";
    r.folder.write("BIN.DAT", binary);
    testing::runIn(r, {"BIN"}, "2\n");
    EXPECT_EQ(r.status, kExitBadInteger) << r.err;
    EXPECT_EQ(r.err.find('\0'), std::string::npos);
    EXPECT_NE(r.err.find("y se encontró «\\x7FELF\\x02\\x01\\x00\\x00x»\n"), std::string::npos)
        << r.err;
}

TEST(FailureReason, AMissingDataFileSaysSo) {
    EngineRun r;
    testing::runIn(r, {"NADA"}, "2\n");
    EXPECT_EQ(r.status, kExitNoDataFile);
    EXPECT_NE(r.err.find("NADA.DAT: no existe\n"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace brenta
