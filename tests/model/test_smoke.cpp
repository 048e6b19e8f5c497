#include <gtest/gtest.h>

#include "model/dc_RKmem.h"

TEST(RKmem, VisitsEveryScalarOnce) {
    TRKmem m;
    int count = 0;
    m.VisitScalars([&](std::string_view, auto&) { ++count; });
    // 219 fields less the 19 owned tables and six lists.
    EXPECT_EQ(count, 219 - 19 - 6);
}
