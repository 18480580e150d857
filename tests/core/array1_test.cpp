// The section's 1-based arrays check their index in every build, Release included.
#include "core/array1.h"

#include <gtest/gtest.h>

TEST(Array1DeathTest, IndexOutsideOneToCapacityAborts) {
    zarnfoil::Array1<float, 401> a;
    a(1) = 1.0f;
    a(401) = 2.0f;
    EXPECT_EQ(a.first(401).front() + a.first(401).back(), 3.0f);
    EXPECT_DEATH(a(0) = 0.0f, "index 0 outside 1..401");
    EXPECT_DEATH(a(402) = 0.0f, "index 402 outside 1..401");
    EXPECT_DEATH(a.first(402), "index 402 outside 1..401");
}
