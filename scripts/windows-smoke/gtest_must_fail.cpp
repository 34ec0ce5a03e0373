// Fails on purpose: ctest (WILL_FAIL) checks that a failing test makes the
// program's exit status non-zero through wine.
#include <gtest/gtest.h>

TEST(MustFail, ReportsFailure) { EXPECT_EQ(1 + 1, 3); }
