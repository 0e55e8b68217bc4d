#include "common/window_base.h"
#include "tests/support/registry_scratch.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

// A window left behind by its object fails the test that left it.
void FailOnWindowFault(const wchar_t* fault) {
    ADD_FAILURE() << ::testing::PrintToString(std::wstring(fault));
}

}  // namespace

int main(int argc, char** argv) {
    // No "program has stopped working" boxes that would hang a headless run.
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    ::testing::InitGoogleTest(&argc, argv);
    velmora::SetWindowFaultHandler(FailOnWindowFault);
    ::testing::UnitTest::GetInstance()->listeners().Append(new velmora::testing::RegistryScratch);
    return RUN_ALL_TESTS();
}
