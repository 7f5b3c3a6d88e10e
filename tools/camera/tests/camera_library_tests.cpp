#include "camera_library.h"

#include <gtest/gtest.h>

#include <set>

namespace pdrcam_test {
namespace {

using namespace pdrcam;

// A loaded library that has every export except the ones named.
class PartialLibrary : public DynamicLibrary {
public:
    explicit PartialLibrary(std::set<std::string> absent) : absent_(std::move(absent)) {}
    void *symbol(const char *name) const override {
        asked_.insert(name);
        return absent_.count(name) ? nullptr : const_cast<char *>(&target_);
    }
    mutable std::set<std::string> asked_;

private:
    std::set<std::string> absent_;
    char target_ = 0;
};

TEST(PdrcamCameraLibrary, ResolvesEveryExportByItsOwnName) {
    PartialLibrary library({});
    CameraApi api;
    std::string missing;
    ASSERT_TRUE(CameraLibrary::resolve(library, api, missing));
    for (const char *name : {"Cam_set_port", "Cam_set_speed", "Cam_session_enabled", "Cam_error",
                             "Cam_setup_callback", "Cam_get_picture_count", "Cam_get_picture_file",
                             "Cam_get_thumbnail_file", "Cam_erase_select", "Cam_erase_last",
                             "Cam_erase_all", "Cam_get_picture_type", "Cam_get_memory_status"})
        EXPECT_TRUE(library.asked_.count(name)) << name;
    EXPECT_NE(api.Cam_get_picture_file, nullptr);
    EXPECT_NE(api.Cam_erase_all, nullptr);
}

TEST(PdrcamCameraLibrary, NamesTheMissingExport) {
    PartialLibrary library({"Cam_get_thumbnail_file"});
    CameraApi api;
    std::string missing;
    EXPECT_FALSE(CameraLibrary::resolve(library, api, missing));
    EXPECT_EQ(missing, "Cam_get_thumbnail_file");
}

TEST(PdrcamCameraLibrary, MissingLibraryFailsWithItsName) {
    std::string error;
    auto library = CameraLibrary::load("no-such-camera-library-here", error);
    EXPECT_FALSE(library);
    EXPECT_NE(error.find("no-such-camera-library-here"), std::string::npos) << error;
}

}  // namespace
}  // namespace pdrcam_test
