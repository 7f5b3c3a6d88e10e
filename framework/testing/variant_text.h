#pragma once
// Test support: one automation argument as the tests' automation servers
// write it into their call logs (the recording object, the stand-in host), so
// that every log of the tree reads alike: "BOOL:-1", "I4:123", "I2:1",
// "BSTR:text", "BSTR(null)" for a null string, "VT<n>" for any other type.
// Text is in the system code page.
#include <windows.h>
#include <oleauto.h>

#include <string>

namespace testsupport {

std::string DescribeArgument(const VARIANT &arg);

}  // namespace testsupport
