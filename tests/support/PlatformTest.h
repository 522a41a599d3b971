#pragma once

#include "Fakes.h"
#include "TestPlatform.h"

#include <gtest/gtest.h>

namespace test {

// A test with a platform of its own that answers the OS version 10.15.7.
class PlatformTest : public ::testing::Test {
protected:
    PlatformTest() { install<FakeSystemVersion>(platform->systemVersion); }

    TestPlatform platform;
};

} // namespace test
