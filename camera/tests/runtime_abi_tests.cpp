// Peltrix.dll as a host meets it: loaded by name, each export found with
// GetProcAddress and called with the argument count of the export table
// through a thunk that measures ESP, since an export that removes the wrong
// number of bytes corrupts every host's stack. No port is set, so nothing
// reaches a line: camera operations fail with CAM_ERR_NO_PORT.
#include "stack_check_call.h"

#include <peltrix.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace peltrix_test {
namespace {

struct TableExport {
    const char *name;
    int args;
};
const TableExport kExportTable[] = {
#include "peltrix_export_rows.inc"
};

int tableArgs(const std::string &name) {
    for (const TableExport &e : kExportTable)
        if (name == e.name)
            return e.args;
    return -1;
}

// One argument word: a number, or the address of something the test owns.
struct Arg {
    enum Kind { Number, Text, IntOut, Callback } kind;
    std::int32_t value;
};
constexpr Arg n(std::int32_t v) { return {Arg::Number, v}; }
constexpr Arg kText{Arg::Text, 0};  // CAM_TEXT_CAPACITY bytes of 0xBD
constexpr Arg kIntOut{Arg::IntOut, 0};
constexpr Arg kCallback{Arg::Callback, 0};

struct Answer {
    enum Kind { Int32, Int16 } kind;  // Int16: only AX is the result
    std::int32_t value;
};
constexpr Answer i32(std::int32_t v) { return {Answer::Int32, v}; }
constexpr Answer i16(std::int16_t v) { return {Answer::Int16, v}; }

// Stored (by Cam_set_speed(7)) before every call, so that "unchanged" differs
// from a code the call stores; of the calls below only Cam_set_port(10)
// stores it too, and its result says so.
constexpr int kPriorError = CAM_ERR_PARAM;
constexpr std::optional<int> kUnchanged;

struct Row {
    const char *name;
    Arg args[2];
    Answer result;
    std::optional<int> errorAfter;
    const char *text = nullptr;  // what the text buffer holds after; nullptr: untouched
};

// The value printed is the name that ctest shows for the case.
void PrintTo(const Row &row, std::ostream *os) { *os << row.name; }
Row zero(const char *name) { return {name, {n(1)}, i32(0), kUnchanged}; }
Row unsupported(const char *name) { return {name, {n(1), n(2)}, i32(CAM_ERR_NOT_SUPPORTED), kUnchanged}; }

const Row kRows[] = {
    // Session, port and speed
    {"Cam_set_port", {n(10)}, i32(CAM_ERR_PARAM), CAM_ERR_PARAM},
    {"Cam_set_speed", {n(CAM_SPEED_19200)}, i32(CAM_OK), CAM_OK},
    {"Cam_session_enabled", {n(1)}, i32(CAM_ERR_NO_PORT), CAM_ERR_NO_PORT},
    {"Cam_ready", {}, i32(0), CAM_ERR_NO_RESPONSE},
    {"Cam_reset_dll", {}, i32(CAM_OK), CAM_OK},
    {"Cam_error", {}, i32(kPriorError), kUnchanged},
    {"Cam_setup_callback", {kCallback, n(77)}, i32(CAM_OK), CAM_OK},
    {"Cam_pwr_off", {}, i32(0), kUnchanged},
    {"Cam_set_pwr_down", {n(1), n(2)}, i32(0), kUnchanged},
    {"Cam_get_pwr_down", {n(1), n(2)}, i32(0), kUnchanged},
    // Picture directory and transfer
    {"Cam_get_picture_count", {}, i32(-1), CAM_ERR_NO_PORT},
    {"Cam_get_picture_size", {n(1)}, i32(0), CAM_ERR_NO_PORT},
    {"Cam_get_thumbnail_size", {n(1)}, i32(14336), kUnchanged},
    {"Cam_get_picture_type", {n(1), kIntOut}, i32(0), CAM_OK},
    {"Cam_get_picture_file", {n(0), n(1)}, i32(CAM_ERR_NO_PORT), CAM_ERR_NO_PORT},
    {"Cam_get_thumbnail_file", {n(0), n(1)}, i32(CAM_ERR_NO_PORT), CAM_ERR_NO_PORT},
    // Camera information and maintenance
    {"Cam_erase_select", {n(1)}, i32(CAM_ERR_NO_PORT), CAM_ERR_NO_PORT},
    {"Cam_erase_last", {}, i32(CAM_ERR_NO_PORT), CAM_ERR_NO_PORT},
    {"Cam_erase_all", {}, i32(0), CAM_ERR_NO_PORT},  // no count, nothing to erase
    {"Cam_get_version", {kText}, i32(CAM_ERR_NO_PORT), CAM_ERR_NO_PORT},
    {"Cam_get_maker", {kText}, i32(CAM_ERR_NO_PORT), CAM_ERR_NO_PORT},
    {"Cam_get_cam_type", {kText}, i32(CAM_OK), CAM_OK, "PDR-M4"},
    {"Cam_get_memory_status", {}, i32(0), CAM_ERR_NO_PORT},
    // Fixed answers
    {"Cam_get_battery_status", {}, i16(90), kUnchanged},
    {"Cam_get_color_mode", {}, i16(0), kUnchanged},
    {"Cam_get_time_value", {}, i32(-1), kUnchanged},
    {"Cam_get_last_setting", {}, i32(1), kUnchanged},
    {"Cam_get_picture_info", {n(1), n(2)}, i32(255), kUnchanged},
    {"Cam_get_function_available", {n(3)}, i32(255), kUnchanged},
    {"Cam_get_raw_file", {n(1), n(2)}, i32(0), CAM_OK},
    {"Cam_get_file", {n(1), n(2)}, i32(0), CAM_OK},
    {"Cam_put_file", {n(1), n(2)}, i32(0), CAM_OK},
    {"Cam_get_id", {kText}, i32(0), kUnchanged, ""},
    {"Cam_get_serial_no", {kText}, i32(0), kUnchanged, ""},
    // Answer 0 and store nothing, whatever the argument words
    zero("Cam_get_cgain"), zero("Cam_get_diag_long"), zero("Cam_get_exposure"),
    zero("Cam_get_flash_mode"), zero("Cam_get_focus"), zero("Cam_get_free_mem"),
    zero("Cam_get_lcd_disp_language"), zero("Cam_get_remaining_count"), zero("Cam_get_resolution"),
    zero("Cam_get_ygain"), zero("Cam_get_audio_size"), zero("Cam_set_color_mode"),
    zero("Cam_set_device_list"), zero("Cam_set_exposure"), zero("Cam_set_flash_mode"),
    zero("Cam_set_focus"), zero("Cam_set_id"), zero("Cam_set_lcd_disp_language"),
    zero("Cam_set_resolution"), zero("Cam_set_serial"), zero("Cam_set_time"),
    // Not supported: 254, nothing stored
    unsupported("Cam_get_beep_mode"), unsupported("Cam_take_pic"), unsupported("Cam_take_preview"),
    unsupported("Cam_write_loaded_data"), unsupported("Cam_execute_diag"),
    unsupported("Cam_get_FAT"), unsupported("Cam_get_MBR"), unsupported("Cam_get_PBR"),
    unsupported("Cam_get_color_bal"), unsupported("Cam_get_diag_buffer"),
    unsupported("Cam_get_gamma_correct"), unsupported("Cam_get_memory_info"),
    unsupported("Cam_get_protect_mode"), unsupported("Cam_get_root_dir"),
    unsupported("Cam_get_time"), unsupported("Cam_get_wbalance"), unsupported("Cam_load_firmware"),
    unsupported("Cam_record_audio"), unsupported("Cam_set_beep_mode"), unsupported("Cam_set_cgain"),
    unsupported("Cam_set_color_bal"), unsupported("Cam_set_diag_long"),
    unsupported("Cam_set_diag_trace_file"), unsupported("Cam_set_gamma_correct"),
    unsupported("Cam_set_last_setting"), unsupported("Cam_set_timer_led"),
    unsupported("Cam_set_wbalance"), unsupported("Cam_set_ygain"),
    unsupported("Cam_get_audio_buffer"), unsupported("Cam_get_cluster_data"),
    unsupported("Cam_get_picture_buffer"), unsupported("Cam_get_thumbnail_buffer"),
    unsupported("Cam_load_file_data"), unsupported("Cam_protect_picture"),
    unsupported("Cam_set_diag_buffer"),
};

// What the pointer arguments point at; the text is filled so that any write shows.
struct Buffers {
    std::vector<char> text = std::vector<char>(CAM_TEXT_CAPACITY, '\xBD');
    std::int32_t intOut = 0;
};

int progressCalls = 0;
int CAM_CALL countProgress(int, int, int) {
    ++progressCalls;
    return 1;
}

std::int32_t word(const Arg &arg, Buffers &buffers) {
    switch (arg.kind) {
    case Arg::Text: return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(buffers.text.data()));
    case Arg::IntOut: return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(&buffers.intOut));
    case Arg::Callback: return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(&countProgress));
    case Arg::Number: break;
    }
    return arg.value;
}

struct Call {
    bool found;
    std::int32_t result;
    std::int32_t espMoved;
};

// Peltrix.dll beside the test program, loaded once for the whole run.
HMODULE peltrix() {
    static const HMODULE module = LoadLibraryA("Peltrix.dll");
    return module;
}

Call callExport(const char *name, int count, const std::int32_t *words) {
    const FARPROC fn = peltrix() ? GetProcAddress(peltrix(), name) : nullptr;
    Call call{fn != nullptr, 0, 0};
    if (fn)
        call.result = stack_check_call(reinterpret_cast<const void *>(fn), count, words, &call.espMoved);
    return call;
}

std::string shown(const char *name, const Call &call) {
    return std::string(name) + (call.found ? "" : " (not exported)") + ": result " +
           std::to_string(call.result) + ", ESP moved " + std::to_string(call.espMoved);
}

// Calls around the one under test, with the table's count and one word.
std::int32_t helperCall(const char *name, std::int32_t arg = 0) {
    const Call call = callExport(name, tableArgs(name), &arg);
    EXPECT_TRUE(call.found && call.espMoved == 0) << shown(name, call);
    return call.result;
}

template <class Param>
class PeltrixByName : public ::testing::TestWithParam<Param> {
protected:
    void SetUp() override {
        ASSERT_NE(nullptr, peltrix()) << "LoadLibraryA(\"Peltrix.dll\") failed";
        ASSERT_EQ(CAM_OK, helperCall("Cam_reset_dll"));
        ASSERT_EQ(kPriorError, helperCall("Cam_set_speed", 7));
    }
    // Also takes out a progress callback that a row installed.
    void TearDown() override { helperCall("Cam_reset_dll"); }
};

using PeltrixExport = PeltrixByName<Row>;

TEST_P(PeltrixExport, AnswersAsDocumentedAndRemovesItsArguments) {
    const Row &row = GetParam();
    const int count = tableArgs(row.name);
    ASSERT_TRUE(count >= 0 && count <= 2) << row.name << ": " << count << " argument(s) in the table";
    Buffers buffers;
    const std::int32_t words[2] = {word(row.args[0], buffers), word(row.args[1], buffers)};
    const Call call = callExport(row.name, count, words);
    const int error = helperCall("Cam_error");
    const std::string seen = shown(row.name, call) + ", Cam_error " + std::to_string(error);

    ASSERT_TRUE(call.found) << seen;
    EXPECT_EQ(0, call.espMoved) << seen;
    if (row.result.kind == Answer::Int16)
        EXPECT_EQ(row.result.value, static_cast<std::int16_t>(call.result)) << seen;
    else
        EXPECT_EQ(row.result.value, call.result) << seen;
    EXPECT_EQ(row.errorAfter.value_or(kPriorError), error) << seen;
    std::string text = row.text ? std::string(row.text) + '\0' : "";
    text.append(buffers.text.size() - text.size(), '\xBD');
    EXPECT_TRUE(text == std::string(buffers.text.begin(), buffers.text.end()))
        << seen << ", text buffer starts " << ::testing::PrintToString(std::string(buffers.text.data(), 12));
    EXPECT_EQ(0, progressCalls) << seen << ": the progress callback ran without a transfer";
}

INSTANTIATE_TEST_SUITE_P(Table, PeltrixExport, ::testing::ValuesIn(kRows));

// The table above names each export of the export table once, and no other.
TEST(PeltrixExportRows, NameExactlyTheExportTable) {
    std::multiset<std::string> rows;
    for (const Row &row : kRows)
        rows.insert(row.name);
    for (const TableExport &e : kExportTable)
        EXPECT_EQ(1u, rows.count(e.name)) << e.name << " has " << rows.count(e.name) << " row(s)";
    for (const std::string &name : rows)
        EXPECT_NE(-1, tableArgs(name)) << name << " has a row but is not in the export table";
}

// Calls with a wrong count: the check sees the stack move by what was pushed
// too many (negative) or too few (positive).
struct Miscount {
    const char *name;
    int pushed;
    std::int32_t espMoved;
};
void PrintTo(const Miscount &m, std::ostream *os) { *os << m.name << "_with_" << m.pushed; }
const Miscount kMiscounts[] = {
    {"Cam_get_thumbnail_size", 2, -4},
    {"Cam_get_picture_info", 1, 4},
};

using PeltrixMiscount = PeltrixByName<Miscount>;

TEST_P(PeltrixMiscount, MovesTheStackByTheDifference) {
    const Miscount &m = GetParam();
    ASSERT_NE(tableArgs(m.name), m.pushed) << m.name << ": " << m.pushed << " is its right count";
    const std::int32_t words[2] = {1, 2};
    const Call call = callExport(m.name, m.pushed, words);
    EXPECT_EQ(m.espMoved, call.espMoved) << shown(m.name, call) << " with " << m.pushed << " word(s)";
}

INSTANTIATE_TEST_SUITE_P(Table, PeltrixMiscount, ::testing::ValuesIn(kMiscounts));

}  // namespace
}  // namespace peltrix_test
