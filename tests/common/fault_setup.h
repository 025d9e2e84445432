// A test whose fault (a small disk, a read-only one, lots of memory, a device) cannot
// be made on this machine. A developer's machine may lack it and the test then skips
// with the reason; under CI=true a missing fault is a broken runner, so it fails.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

inline bool RunningUnderCi() {
    const char* ci = std::getenv("CI");
    return ci != nullptr && std::strcmp(ci, "true") == 0;
}

// Use at the top of a test body: why is empty when the fault is ready.
#define REQUIRE_FAULT_SETUP(why)                                                         \
    do {                                                                                 \
        const std::string quillet_why_ = (why);                                          \
        if (!quillet_why_.empty()) {                                                     \
            if (RunningUnderCi()) FAIL() << "cannot set up the fault: " << quillet_why_; \
            GTEST_SKIP() << quillet_why_;                                                \
        }                                                                                \
    } while (0)
