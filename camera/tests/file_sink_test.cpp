// The platform's appends to a host file handle.
#include "file_sink.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace peltrix {
namespace {

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
    platformFileSink().append(file, "abc", 3);
    platformFileSink().append(file, "defg", 4);
    _lclose(file);
#else
    int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(file, 0);
    ASSERT_EQ(5, ::write(file, "host:", 5));
    platformFileSink().append(file, "abc", 3);
    platformFileSink().append(file, "defg", 4);
    ::close(file);
#endif
    EXPECT_EQ("host:abcdefg", contents());
}

}  // namespace
}  // namespace peltrix
