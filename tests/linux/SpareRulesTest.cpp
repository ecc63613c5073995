#include "SpareRules.h"

#include <gtest/gtest.h>

namespace orvan {
namespace {

ProcInfo process(pid_t pid, pid_t parent, uid_t uid, const std::string& session,
                 const std::string& path = "/usr/bin/gedit") {
    ProcInfo info;
    info.pid = pid;
    info.parent = parent;
    info.uid = uid;
    info.loginSession = session;
    info.path = path;
    info.comm = "gedit";
    return info;
}

TEST(SpareRules, onlyTheCustomersOwnProgramsOfTheirSessionMayBeTouched) {
    auto self = process(100, 90, 1000, "c2");
    self.sessionLeader = 80;
    SpareRules rules(self);
    rules.setShellProcesses({300, 301});
    struct Case {
        ProcInfo process;
        bool mayTouch;
        const char* why;
    };
    const std::vector<Case> cases{
        {process(200, 1, 1000, "c2"), true, "the customer's program"},
        {process(201, 1, 1001, "c2"), false, "another user's"},
        {process(202, 1, 1000, "c7"), false, "another login session's"},
        {process(203, 1, 1000, ""), false, "a user service outside the session"},
        {process(100, 90, 1000, "c2"), false, "the client itself"},
        {process(204, 100, 1000, "c2"), false, "a helper the client started"},
        {process(90, 80, 1000, "c2"), false, "the client's starter"},
        {process(80, 1, 1000, "c2"), false, "the session leader"},
        {process(300, 1, 1000, "c2"), false, "the window manager or a panel"},
        {process(205, 1, 1000, "c2", "/usr/bin/Xorg"), false, "the X server"},
        {process(206, 1, 1000, "c2", "/usr/sbin/lightdm"), false, "the display manager"},
        {process(1, 0, 1000, "c2"), false, "init"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rules.mayTouch(c.process), c.mayTouch) << c.why;
    }
}

TEST(SpareRules, withoutLogindTheUserAloneDecides) {
    SpareRules rules(process(100, 90, 1000, ""));
    EXPECT_TRUE(rules.mayTouch(process(200, 1, 1000, "")));
    EXPECT_TRUE(rules.mayTouch(process(201, 1, 1000, "c3")));
    EXPECT_FALSE(rules.mayTouch(process(202, 1, 0, "")));
}

} // namespace
} // namespace orvan
