#pragma once
// The fixture the tests of WEBPOST.DLL start from: the library loaded by
// name with both entries bound, a private HKEY_CURRENT_USER for the sites it
// reads and stores, and a source folder of the test's own to post from.

#include <gtest/gtest.h>

#include <string>

#include "stored_sites.h"
#include "temp_tree.h"
#include "webpost_library.h"

namespace testsupport {

class WebPostTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sites_.Ready());
        ASSERT_TRUE(library_.Loaded()) << "WEBPOST.DLL or an entry missing";
    }

    // Posts the source folder to `url`, to the stored site `site`, or to both,
    // with `extraFlags` beside the call's own (no wizard, no progress window).
    PostAnswer PostSource(const std::string &url, const std::string &site = "",
                          DWORD extraFlags = 0) const {
        PostCall call;
        call.paths = {source_.Path()};
        call.url = url;
        call.siteName = site;
        call.flags |= extraFlags;
        return library_.Run(call);
    }

    WebPostLibrary library_;
    StoredSites sites_;
    TempTree source_{"src"};
};

}  // namespace testsupport
