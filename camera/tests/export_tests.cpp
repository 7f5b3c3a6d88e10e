// The exports of the built library with the process-wide state behind them.
// Only paths without camera traffic are taken here: the serial library is the
// real one and no camera is attached.
#include <peltrix.h>

#include <gtest/gtest.h>

#include <cstring>

namespace peltrix_test {
namespace {

class CamExportTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(0, Cam_reset_dll()); }
};

TEST_F(CamExportTest, UnsupportedExportsAnswer254AndLeaveTheLastError) {
    ASSERT_EQ(CAM_ERR_PARAM, Cam_set_speed(7));  // stores 2 without traffic
    EXPECT_EQ(254, Cam_get_FAT(0));
    EXPECT_EQ(254, Cam_take_pic());
    EXPECT_EQ(254, Cam_protect_picture(1, 2));
    EXPECT_EQ(254, Cam_write_loaded_data());
    EXPECT_EQ(CAM_ERR_PARAM, Cam_error());
}

TEST_F(CamExportTest, FixedAnswers) {
    ASSERT_EQ(CAM_ERR_PARAM, Cam_set_speed(7));
    EXPECT_EQ(90, Cam_get_battery_status());
    EXPECT_EQ(0, Cam_get_color_mode());
    EXPECT_EQ(-1, Cam_get_time_value());
    EXPECT_EQ(1, Cam_get_last_setting());
    EXPECT_EQ(255, Cam_get_picture_info(1, 2));
    EXPECT_EQ(255, Cam_get_function_available(3));
    EXPECT_EQ(0, Cam_pwr_off());
    EXPECT_EQ(0, Cam_set_pwr_down(1, 2));
    EXPECT_EQ(0, Cam_get_pwr_down(1, 2));
    EXPECT_EQ(0, Cam_set_time(12345));
    EXPECT_EQ(0, Cam_get_resolution());
    EXPECT_EQ(CAM_ERR_PARAM, Cam_error()) << "fixed answers store nothing";
    EXPECT_EQ(14336, Cam_get_thumbnail_size(77));
}

TEST_F(CamExportTest, FileStubsStoreSuccess) {
    ASSERT_EQ(CAM_ERR_PARAM, Cam_set_speed(7));
    EXPECT_EQ(0, Cam_get_raw_file(1, 2));
    EXPECT_EQ(0, Cam_error());
    ASSERT_EQ(CAM_ERR_PARAM, Cam_set_speed(7));
    EXPECT_EQ(0, Cam_put_file(1, 2));
    EXPECT_EQ(0, Cam_error());
}

TEST_F(CamExportTest, TextAnswersWithoutCamera) {
    char text[16];
    std::memset(text, 0xBD, sizeof text);
    EXPECT_EQ(0, Cam_get_serial_no(text));
    EXPECT_EQ('\0', text[0]);
    EXPECT_EQ(static_cast<char>(0xBD), text[1]);
    std::memset(text, 0xBD, sizeof text);
    EXPECT_EQ(0, Cam_get_id(text));
    EXPECT_EQ('\0', text[0]);
    std::memset(text, 0xBD, sizeof text);
    EXPECT_EQ(0, Cam_get_cam_type(text));
    EXPECT_STREQ("PDR-M4", text);
    EXPECT_EQ(static_cast<char>(0xBD), text[7]);
}

TEST_F(CamExportTest, WithoutAPortCameraOperationsFailWith3) {
    char text[32] = "untouched";
    EXPECT_EQ(CAM_ERR_NO_PORT, Cam_session_enabled(1));
    EXPECT_EQ(CAM_ERR_NO_PORT, Cam_get_version(text));
    EXPECT_STREQ("untouched", text);
    EXPECT_EQ(CAM_ERR_NO_PORT, Cam_erase_select(1));
    EXPECT_EQ(CAM_ERR_NO_PORT, Cam_get_picture_file(1, 1));
    EXPECT_EQ(0, Cam_get_memory_status());
    EXPECT_EQ(CAM_ERR_NO_PORT, Cam_error());
    EXPECT_EQ(-1, Cam_get_picture_count());
    EXPECT_EQ(CAM_ERR_PARAM, Cam_session_enabled(2));
    EXPECT_EQ(CAM_ERR_PARAM, Cam_set_port(10));
}

}  // namespace
}  // namespace peltrix_test
