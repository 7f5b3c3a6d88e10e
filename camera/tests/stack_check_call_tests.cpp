// The thunk itself, on functions of known convention: its measurement is what
// the export checks rely on, so it must read 0 for a balanced call and the
// exact number of bytes left or taken otherwise, and pass arguments in order.
#include "stack_check_call.h"

#include <peltrix.h>

#include <gtest/gtest.h>

namespace peltrix_test {
namespace {

#define STDCALL __attribute__((stdcall))
#define CDECL __attribute__((cdecl))

int STDCALL std0() { return 17; }
int STDCALL std1(int a) { return a + 1; }
int STDCALL std2(int a, int b) { return a * 10 + b; }
int STDCALL std2first(int a, int) { return a; }
int STDCALL progress(int cookie, int zero, int percent) { return cookie * 100 + zero * 10 + percent; }
int CDECL c1(int a) { return a + 1; }
int CDECL c2(int a, int b) { return a * 10 + b; }
CamProgressProc const progressAsHostsDeclareIt = progress;

struct ThunkCase {
    const char *what;
    const void *fn;
    int count;
    std::int32_t result;
    std::int32_t espMoved;
};

void PrintTo(const ThunkCase &c, std::ostream *os) { *os << c.what; }

const ThunkCase kThunkCases[] = {
    {"stdcall_0_args", reinterpret_cast<const void *>(std0), 0, 17, 0},
    {"stdcall_1_arg", reinterpret_cast<const void *>(std1), 1, 4, 0},
    {"stdcall_2_args", reinterpret_cast<const void *>(std2), 2, 34, 0},
    {"progress_callback_3_args", reinterpret_cast<const void *>(progressAsHostsDeclareIt), 3, 345, 0},
    {"cdecl_1_arg_left_to_the_caller", reinterpret_cast<const void *>(c1), 1, 4, -4},
    {"cdecl_2_args_left_to_the_caller", reinterpret_cast<const void *>(c2), 2, 34, -8},
    {"stdcall_2_args_called_with_1", reinterpret_cast<const void *>(std2first), 1, 3, 4},
    {"stdcall_1_arg_called_with_2", reinterpret_cast<const void *>(std1), 2, 4, -4},
};

class StackCheckCallTest : public ::testing::TestWithParam<ThunkCase> {};

TEST_P(StackCheckCallTest, ReturnsTheResultAndMeasuresTheStack) {
    const ThunkCase &c = GetParam();
    const std::int32_t args[3] = {3, 4, 5};
    std::int32_t moved = 12345;
    const std::int32_t result = stack_check_call(c.fn, c.count, args, &moved);
    EXPECT_EQ(c.result, result) << c.what << ": result " << result << ", ESP moved " << moved;
    EXPECT_EQ(c.espMoved, moved) << c.what << ": result " << result << ", ESP moved " << moved;
}

INSTANTIATE_TEST_SUITE_P(Cases, StackCheckCallTest, ::testing::ValuesIn(kThunkCases));

}  // namespace
}  // namespace peltrix_test
