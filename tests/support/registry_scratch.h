// Every test runs with HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE mapped onto empty scratch keys
// (under the real current user's Software\Velmora Tests), which are removed after the test.
// Nothing outside them is touched, on Wine or on a real Windows machine. Before the first test,
// the scratch keys that ended runs left behind (a test program that crashed) are removed.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace velmora::testing {

// Removes the scratch keys named after processes that no longer run. Those of running test
// programs stay, so programs run side by side never disturb each other.
void RemoveScratchOfEndedRuns();

// The real current user's sub-key that stands for HKEY_CURRENT_USER during a test: where another
// process (which sees no redirection) must write for the test to find it under HKEY_CURRENT_USER.
std::wstring ScratchUserKeyPath();

class RegistryScratch : public ::testing::EmptyTestEventListener {
public:
    void OnTestProgramStart(const ::testing::UnitTest&) override { RemoveScratchOfEndedRuns(); }
    void OnTestStart(const ::testing::TestInfo& info) override;
    void OnTestEnd(const ::testing::TestInfo& info) override;
};

}  // namespace velmora::testing
