#pragma once
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "registry_sandbox.h"
#include "settings_store.h"
#include "store_test_strings.h"

namespace settings_test {

using namespace settings;
using testsupport::RegistrySandbox;

// A private HKEY_CURRENT_USER with an empty "Software" key, and the product
// key's name taken from this program's own string 990.
class StoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sandbox_.Ready()) << "registry sandbox could not be set up";
        previous_ = GetProductKeySource();
        UseProductString(STORE_TEST_APPLET_PRODUCT_ID);
    }
    void TearDown() override { SetProductKeySource(previous_); }

    void UseProductString(UINT id) { SetProductKeySource({GetModuleHandleA(nullptr), id}); }

    static std::string Under(const std::string &subkey) {
        return std::string("Software\\Orvo\\" STORE_TEST_APPLET_PRODUCT "\\") + subkey;
    }

    RegistrySandbox sandbox_;
    ProductKeySource previous_;
};

}  // namespace settings_test
