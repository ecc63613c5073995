#include "QtDialogs.h"

#include <gtest/gtest.h>

namespace orvan {
namespace {

// Offscreen nobody can answer: the box must return its default at once, never wait.
TEST(QtDialogsTest, offscreenBoxesAnswerWithTheirDefaultWithoutWaiting) {
    QtDialogs dialogs;
    EXPECT_EQ(dialogs.messageBox("Saved.", "OrvanClient", 64), Dialogs::kOk);
    EXPECT_EQ(dialogs.messageBox("Failed.", "OrvanClient", 69648), Dialogs::kOk);
    EXPECT_EQ(dialogs.messageBox("Quit?", "OrvanClient", 4), Dialogs::kYes);
    EXPECT_EQ(dialogs.messageBox("Ignore?", "OrvanClient", 292), Dialogs::kNo);
    EXPECT_EQ(dialogs.messageBox("Shut down?", "OrvanClient", 69940), Dialogs::kNo);
}

} // namespace
} // namespace orvan
