#include "server_env.h"

#include <windows.h>
#include <wincrypt.h>

#include <gtest/gtest.h>

#include <cstdlib>

namespace webpost_test {

namespace {

void Skip(const std::string &reason) {
    GTEST_SKIP_(reason.c_str());
}

}  // namespace

bool ServerSetting(const char *variable, std::string &value) {
    const char *found = std::getenv(variable);
    if (found && *found) {
        value = found;
        return true;
    }
    const char *why = std::getenv("WEBPOST_TEST_SERVERS_MISSING");
    const std::string reason = std::string(variable) + " is not set (" +
                               (why ? why : "the program was not run through with-servers") + ")";
    const char *ci = std::getenv("CI");
    if (ci && *ci)
        ADD_FAILURE() << reason;
    else
        Skip(reason);
    return false;
}

std::string ProtectedPassword(const std::string &password) {
    DATA_BLOB in{static_cast<DWORD>(password.size()),
                 reinterpret_cast<BYTE *>(const_cast<char *>(password.data()))};
    DATA_BLOB out{};
    if (!::CryptProtectData(&in, L"test", nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN,
                            &out))
        return {};
    std::string blob(reinterpret_cast<char *>(out.pbData), out.cbData);
    ::LocalFree(out.pbData);
    return blob;
}

std::string UnprotectedPassword(const std::string &blob) {
    DATA_BLOB in{static_cast<DWORD>(blob.size()),
                 reinterpret_cast<BYTE *>(const_cast<char *>(blob.data()))};
    DATA_BLOB out{};
    if (!::CryptUnprotectData(&in, nullptr, nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN,
                              &out))
        return {};
    std::string password(reinterpret_cast<char *>(out.pbData), out.cbData);
    ::LocalFree(out.pbData);
    return password;
}

}  // namespace webpost_test
