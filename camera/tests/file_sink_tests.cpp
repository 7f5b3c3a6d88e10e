// The platform's appends to a host file handle.
#include "file_sink.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace peltrix_test {
namespace {

using namespace peltrix;

class CamFileSinkTest : public ::testing::Test {
protected:
    std::string path = ::testing::TempDir() + "peltrix_file_sink_test.bin";
    void TearDown() override { std::remove(path.c_str()); }

    std::string contents() const {
        std::string text;
        if (std::FILE *f = std::fopen(path.c_str(), "rb")) {
            char chunk[256];
            size_t n;
            while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
                text.append(chunk, n);
            std::fclose(f);
        }
        return text;
    }
};

TEST_F(CamFileSinkTest, AppendsBehindWhatTheHostWrote) {
#ifdef _WIN32
    HFILE file = _lcreat(path.c_str(), 0);
    ASSERT_NE(HFILE_ERROR, file);
    _lwrite(file, "host:", 5);
    EXPECT_TRUE(platformFileSink().append(file, "abc", 3));
    EXPECT_TRUE(platformFileSink().append(file, "defg", 4));
    _lclose(file);
#else
    int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(file, 0);
    ASSERT_EQ(5, ::write(file, "host:", 5));
    EXPECT_TRUE(platformFileSink().append(file, "abc", 3));
    EXPECT_TRUE(platformFileSink().append(file, "defg", 4));
    ::close(file);
#endif
    EXPECT_EQ("host:abcdefg", contents());
}

#ifndef _WIN32
// A full disk as the kernel reports it: the append says so and leaves the
// reason in errno for the host.
TEST_F(CamFileSinkTest, FullDeviceIsReported) {
    int file = ::open("/dev/full", O_WRONLY);
    ASSERT_GE(file, 0);
    errno = 0;
    EXPECT_FALSE(platformFileSink().append(file, "abc", 3));
    EXPECT_EQ(ENOSPC, errno);
    ::close(file);
    EXPECT_FALSE(platformFileSink().append(file, "abc", 3));
    EXPECT_EQ(EBADF, errno);
}
#else
TEST_F(CamFileSinkTest, ClosedHandleIsReported) {
    HFILE file = _lcreat(path.c_str(), 0);
    ASSERT_NE(HFILE_ERROR, file);
    _lclose(file);
    EXPECT_FALSE(platformFileSink().append(file, "abc", 3));
}
#endif

}  // namespace
}  // namespace peltrix_test
