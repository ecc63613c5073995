#include "WinLockApi.h"
#include "XvfbTest.h"

namespace orvan::winlock {
namespace {

class ShellWindows : public XvfbTest {
protected:
    xcb_window_t typed(const std::string& type, bool map = true, xcb_window_t parent = XCB_NONE) {
        const xcb_window_t window = other_->window(false, false, map, parent);
        other_->setWindowType(window, "_NET_WM_WINDOW_TYPE_" + type);
        return window;
    }
};

TEST_F(ShellWindows, docksAndDesktopAreHiddenAndShownAgainOthersUntouched) {
    const xcb_window_t panel = typed("DOCK");
    const xcb_window_t desktop = typed("DESKTOP");
    const xcb_window_t program = typed("NORMAL");
    const xcb_window_t plain = other_->window(false, false);
    const xcb_window_t withdrawnPanel = typed("DOCK", false);

    EXPECT_EQ(Taskbar_Show_Hide(0), 1);
    EXPECT_FALSE(other_->mapped(panel));
    EXPECT_TRUE(other_->mapped(desktop));
    EXPECT_EQ(Desktop_Show_Hide(0), 1);
    EXPECT_FALSE(other_->mapped(desktop));
    EXPECT_EQ(Taskbar_Show_Hide(0), 1);
    EXPECT_EQ(Desktop_Show_Hide(0), 1);
    EXPECT_TRUE(other_->mapped(program));
    EXPECT_TRUE(other_->mapped(plain));

    EXPECT_EQ(Taskbar_Show_Hide(-1), 1);
    EXPECT_TRUE(other_->mapped(panel));
    EXPECT_FALSE(other_->mapped(desktop));
    EXPECT_FALSE(other_->mapped(withdrawnPanel)) << "was not shown before the lock";
    EXPECT_EQ(Desktop_Show_Hide(-1), 1);
    EXPECT_EQ(Desktop_Show_Hide(-1), 1);
    EXPECT_TRUE(other_->mapped(desktop));
    EXPECT_TRUE(reports().empty());
}

TEST_F(ShellWindows, windowManagersClientListIsSearchedAndVanishedWindowsAreNoError) {
    // A framed panel: only the client list names it.
    const xcb_window_t frame = other_->window(false, false);
    const xcb_window_t framedPanel = typed("DOCK", true, frame);
    other_->setWindows(other_->root(), "_NET_CLIENT_LIST", {framedPanel});
    const xcb_window_t panel = typed("DOCK");

    EXPECT_EQ(Taskbar_Show_Hide(0), 1);
    EXPECT_FALSE(other_->mapped(framedPanel));
    EXPECT_FALSE(other_->mapped(panel));

    xcb_destroy_window(other_->get(), framedPanel);
    other_->sync();
    EXPECT_EQ(Taskbar_Show_Hide(-1), 1);
    EXPECT_TRUE(other_->mapped(panel));
}

} // namespace
} // namespace orvan::winlock
