#pragma once

#include "XClient.h"
#include "XvfbServer.h"

#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace orvan::winlock {

// Each suite gets an X server of its own, a host client that plays the front end
// with its lock window, and another client that plays a program of the customer.
// The library's reports are collected; every switch is turned back after each test.
class XvfbTest : public testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    static std::vector<std::string> reports();
    static bool reported(const std::string& part);
    // Polls until the condition holds; false when it still fails after the bound.
    static bool eventually(const std::function<bool()>& condition,
                           std::chrono::milliseconds bound = std::chrono::seconds(3));
    // Runs a program to its end with an argument vector; its exit status.
    static int run(const std::vector<std::string>& command);

    void attachLockWindow();

    std::unique_ptr<XClient> host_;
    std::unique_ptr<XClient> other_;
    xcb_window_t lockWindow_ = XCB_NONE;

private:
    static XvfbServer* server_;
};

} // namespace orvan::winlock
