// Data files are opened only when they are regular files, and never wait on what is not.
#include "regular_file.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <istream>
#include <iterator>

namespace farvik {
namespace {

namespace fs = std::filesystem;

class RegularFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/regular-file-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        folder_ = pattern;
    }
    void TearDown() override { fs::remove_all(folder_); }
    std::string at(const char* name) const { return (folder_ / name).string(); }

    fs::path folder_;
};

TEST_F(RegularFileTest, ARegularFileIsReadWhole) {
    std::string bytes(200000, 'x');
    bytes[0] = '\0';
    bytes.back() = '\n';
    std::ofstream(at("A.DAT"), std::ios::binary) << bytes;
    fs::create_symlink(at("A.DAT"), at("LINK.DAT"));
    for (const char* name : {"A.DAT", "LINK.DAT"}) {
        const OpenedFile opened = openRegularFile(at(name));
        ASSERT_GE(opened.fd, 0) << name << ": " << opened.reason;
        DescriptorReadBuffer buffer(opened.fd);
        std::istream in(&buffer);
        const std::string read{std::istreambuf_iterator<char>(in), {}};
        EXPECT_EQ(read, bytes) << name;
        EXPECT_FALSE(buffer.failed());
    }
}

// A pipe with nobody writing into it would hold an ordinary open() forever.
TEST_F(RegularFileTest, WhatIsNoRegularFileIsRefusedAtOnceWithItsReason) {
    ASSERT_EQ(::mkfifo(at("P.DAT").c_str(), 0644), 0);
    fs::create_directory(at("D.DAT"));
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(sock, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = at("S.DAT");
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    socketPath.copy(address.sun_path, socketPath.size());
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

    const struct {
        std::string path;
        const char* reason;
    } cases[] = {
        {at("P.DAT"), "es una tubería (FIFO), no un fichero"},
        {at("D.DAT"), "es una carpeta"},
        {socketPath, "es un socket, no un fichero"},
        {"/dev/zero", "es un dispositivo, no un fichero"},
        {at("NADA.DAT"), "no existe"},
    };
    for (const auto& c : cases) {
        const OpenedFile opened = openRegularFile(c.path);
        EXPECT_EQ(opened.fd, -1) << c.path;
        EXPECT_EQ(opened.reason, c.reason) << c.path;
    }
    ::close(sock);
}

}  // namespace
}  // namespace farvik
