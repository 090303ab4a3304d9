#pragma once
#include <gtest/gtest.h>

#include "common/common_settings.h"
#include "common/system_identification.h"
#include "platform/fake/fakes.h"
#include "setup/product_constants.h"

using platform::RootKey;

// Fresh fakes and fresh process-wide state for every test.
class PlatformTest : public testing::Test {
protected:
    PlatformTest() {
        CommonSettings = CommonSettingsBlock{};
        Is64BitWindows = false;
    }
    ~PlatformTest() override { CommonSettings = CommonSettingsBlock{}; }

    // The common initialisation plus the product identity, as both programs start.
    void StartCommonModules(std::uint32_t lcid = 0x0419) {
        fake.system.lcid = lcid;
        CommonInitialization();
        CommonSettings.SetIdentity(MorvalenIdentity());
    }

    platform::fake::FakePlatform fake;
};
