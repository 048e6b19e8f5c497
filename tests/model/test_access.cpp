#include <gtest/gtest.h>

#include "model/dc_Access.h"

TEST(AccessCode, TheTwoCodesTrimmedAndInAnyCase) {
    EXPECT_TRUE(IsManufactureAccessCode("tr2100maker"));
    EXPECT_TRUE(IsManufactureAccessCode("  RK36Workshops\t"));
    EXPECT_FALSE(IsManufactureAccessCode(""));
    EXPECT_FALSE(IsManufactureAccessCode("tr2100make"));
    EXPECT_FALSE(IsManufactureAccessCode("us3211nblfs")); // the stored form is not the code
}
