#pragma once

#include "winlock/XvfbServer.h"

#include <gtest/gtest.h>

namespace orvan {

// Tests sharing one private X server, started before the suite's first test and
// stopped after its last; each test is skipped when it did not start.
class XvfbSuite : public testing::Test {
protected:
    static void SetUpTestSuite() { server_ = new winlock::XvfbServer(); }
    static void TearDownTestSuite() {
        delete server_;
        server_ = nullptr;
    }
    void SetUp() override {
        if (server_ == nullptr || !server_->running()) {
            GTEST_SKIP() << "Xvfb did not start";
        }
    }

    static inline winlock::XvfbServer* server_ = nullptr;
};

} // namespace orvan
