// Which device a port number names on each platform.
#include <gtest/gtest.h>

#include <cstdlib>

#include "port_name.h"

namespace comm32_test {
namespace {

void setVariable(const char *name, const char *value) {
#ifdef _WIN32
    _putenv_s(name, value ? value : "");
#else
    if (value)
        setenv(name, value, 1);
    else
        unsetenv(name);
#endif
}

TEST(PortNameTest, PrefixIsComInAnyCase) {
    for (const char *good : {"com", "COM", "Com"})
        EXPECT_TRUE(comm32::isComPrefix(good)) << good;
    for (const char *bad : {"", "co", "com1", "comm", "lpt", "\\\\.\\COM"})
        EXPECT_FALSE(comm32::isComPrefix(bad)) << bad;
    EXPECT_FALSE(comm32::isComPrefix(nullptr));
}

TEST(PortNameTest, PosixDeviceFromEnvironmentElseTtyS) {
    setVariable("COMM32_PORT3", "/dev/pts/77");
    EXPECT_EQ(comm32::posixDevicePath(3), "/dev/pts/77");
    setVariable("COMM32_PORT3", "");
    EXPECT_EQ(comm32::posixDevicePath(3), "/dev/ttyS2");
    setVariable("COMM32_PORT3", nullptr);
    EXPECT_EQ(comm32::posixDevicePath(3), "/dev/ttyS2");
    EXPECT_EQ(comm32::posixDevicePath(1), "/dev/ttyS0");
}

TEST(PortNameTest, WindowsDeviceIsTheDosDeviceName) {
    EXPECT_EQ(comm32::windowsDevicePath(7), "\\\\.\\COM7");
}

}  // namespace
}  // namespace comm32_test
