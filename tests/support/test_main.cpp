#include "tests/support/registry_scratch.h"

#include <windows.h>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // No "program has stopped working" boxes that would hang a headless run.
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new velmora::testing::RegistryScratch);
    return RUN_ALL_TESTS();
}
