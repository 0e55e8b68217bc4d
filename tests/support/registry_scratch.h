// Every test runs with HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE mapped onto empty scratch keys
// (under the real current user's Software\Velmora Tests), which are removed after the test.
// Nothing outside them is touched, on Wine or on a real Windows machine.
#pragma once

#include <gtest/gtest.h>

namespace velmora::testing {

class RegistryScratch : public ::testing::EmptyTestEventListener {
public:
    void OnTestStart(const ::testing::TestInfo& info) override;
    void OnTestEnd(const ::testing::TestInfo& info) override;
};

}  // namespace velmora::testing
