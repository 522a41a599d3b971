#pragma once

#include "Fakes.h"
#include "TestPlatform.h"

#include <gtest/gtest.h>

#include <memory>

namespace test {

// A test with a platform of its own that answers the OS version 10.15.7.
class PlatformTest : public ::testing::Test {
protected:
    PlatformTest() { platform->systemVersion = std::make_unique<FakeSystemVersion>(); }

    TestPlatform platform;
};

} // namespace test
