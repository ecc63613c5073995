#include "WindowChanges.h"

#include <cstring>
#include <gtest/gtest.h>

namespace orvan {
namespace {

constexpr xcb_atom_t kNetName = 300;
constexpr xcb_atom_t kUserTime = 301;
constexpr xcb_atom_t kWindowType = 302;
constexpr xcb_atom_t kClientList = 303;
constexpr xcb_window_t kWindow = 0x400001;

xcb_generic_event_t propertyEvent(xcb_window_t window, xcb_atom_t atom) {
    xcb_property_notify_event_t event{};
    event.response_type = XCB_PROPERTY_NOTIFY;
    event.window = window;
    event.atom = atom;
    xcb_generic_event_t generic{};
    static_assert(sizeof event <= sizeof generic);
    std::memcpy(&generic, &event, sizeof event);
    return generic;
}

xcb_generic_event_t destroyEvent(xcb_window_t window) {
    xcb_destroy_notify_event_t event{};
    event.response_type = XCB_DESTROY_NOTIFY;
    event.window = window;
    xcb_generic_event_t generic{};
    std::memcpy(&generic, &event, sizeof event);
    return generic;
}

class WindowChangesTest : public testing::Test {
protected:
    WindowChangesTest() {
        changes_.setAtoms({kNetName, 304, kWindowType, 305, kClientList, 306});
        changes_.read();
    }
    WindowChanges changes_;
};

TEST_F(WindowChangesTest, onlyPropertiesTheListShowsCallForANewReading) {
    changes_.take(propertyEvent(kWindow, kUserTime));
    EXPECT_FALSE(changes_.changed()) << "a user time or an icon changes nothing listed";

    changes_.take(propertyEvent(kWindow, kNetName));
    EXPECT_TRUE(changes_.changed());
    EXPECT_TRUE(changes_.titleStale(kWindow));
    EXPECT_FALSE(changes_.factsStale(kWindow)) << "a new title keeps the owner and class";

    changes_.read();
    changes_.take(propertyEvent(kWindow, XCB_ATOM_WM_NAME));
    EXPECT_TRUE(changes_.titleStale(kWindow)) << "the plain title counts as well";
    changes_.read();
    EXPECT_FALSE(changes_.changed());
    EXPECT_FALSE(changes_.titleStale(kWindow));

    changes_.take(propertyEvent(kWindow, kWindowType));
    EXPECT_TRUE(changes_.factsStale(kWindow));
    changes_.read();
    changes_.take(propertyEvent(kWindow, XCB_ATOM_WM_CLASS));
    EXPECT_TRUE(changes_.factsStale(kWindow));
    changes_.read();
    changes_.take(propertyEvent(1, kClientList));
    EXPECT_TRUE(changes_.changed()) << "the window manager's list changed";
}

TEST_F(WindowChangesTest, everythingButPropertiesCallsForANewReadingAndAnEndedWindowIsForgotten) {
    EXPECT_TRUE(changes_.watch(kWindow, XCB_EVENT_MASK_PROPERTY_CHANGE));
    EXPECT_FALSE(changes_.watch(kWindow, XCB_EVENT_MASK_PROPERTY_CHANGE)) << "selected once";
    EXPECT_TRUE(changes_.watch(kWindow, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY)) << "a wider mask";

    xcb_generic_event_t mapped{};
    mapped.response_type = XCB_MAP_NOTIFY;
    changes_.take(mapped);
    EXPECT_TRUE(changes_.changed());
    changes_.read();
    xcb_generic_event_t error{}; // a window gone before it could be watched
    changes_.take(error);
    EXPECT_TRUE(changes_.changed());
    changes_.read();

    changes_.take(destroyEvent(kWindow));
    EXPECT_TRUE(changes_.changed());
    EXPECT_TRUE(changes_.factsStale(kWindow)) << "its id may name a new window";
    EXPECT_TRUE(changes_.watch(kWindow, XCB_EVENT_MASK_PROPERTY_CHANGE)) << "watched anew";
}

TEST(WindowChangesStartTest, theFirstLookReadsTheList) {
    EXPECT_TRUE(WindowChanges{}.changed());
}

} // namespace
} // namespace orvan
