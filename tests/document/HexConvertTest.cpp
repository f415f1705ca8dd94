#include "document/HexConvert.h"

#include <gtest/gtest.h>

TEST(HexToInt, ReadsEitherCase)
{
    EXPECT_EQ(*Hex_To_Int("01F4"), 500);
    EXPECT_EQ(*Hex_To_Int("ff"), 255);
}
