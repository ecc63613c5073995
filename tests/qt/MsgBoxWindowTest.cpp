#include "FrontEndFixture.h"

#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <string>
#include <vector>

namespace orvan::test {
namespace {

class RecordingAction : public MsgBoxAction {
public:
    void subExecuteCommandButton1() override { answers.push_back("yes"); }
    void subExecuteCommandButton2() override { answers.push_back("no"); }
    std::vector<std::string> answers;
};

class MsgBoxWindowTest : public FrontEndFixture {
protected:
    void ask(int defaultButton) {
        client().msgBox().subShowMsgBox("Stop now?", MsgBox::kButtonsYesNo, defaultButton, action,
                                        nullptr, MsgBox::kModeless, 0);
        frontEnd_->sync();
    }
    void tell() {
        client().msgBox().subShowMsgBox("Time is up.", MsgBox::kButtonsOK, 0, {}, nullptr,
                                        MsgBox::kModeless, 0);
        frontEnd_->sync();
    }
    bool shownInBox(const char* name) {
        auto* widget = msgBoxWindow().findChild<QWidget*>(QLatin1String(name));
        return widget != nullptr && widget->isVisibleTo(&msgBoxWindow());
    }

    std::shared_ptr<RecordingAction> action = std::make_shared<RecordingAction>();
};

TEST_F(MsgBoxWindowTest, enterAnswersWithTheDefaultButtonAndEscapeWithTheCancelButton) {
    const struct {
        int defaultButton;
        Qt::Key key;
        const char* answer;
    } cases[] = {
        {MsgBox::kDefaultNo, Qt::Key_Return, "no"},
        {MsgBox::kDefaultYes, Qt::Key_Enter, "yes"},
        {MsgBox::kDefaultNo, Qt::Key_Escape, "no"},
        {MsgBox::kDefaultYes, Qt::Key_Escape, "yes"},
    };
    for (const auto& c : cases) {
        action->answers.clear();
        ask(c.defaultButton);
        ASSERT_TRUE(msgBoxWindow().isVisible());
        QTest::keyClick(&msgBoxWindow(), c.key);
        EXPECT_EQ(action->answers, std::vector<std::string>{c.answer})
            << "default " << c.defaultButton << ", key " << c.key;
        EXPECT_FALSE(msgBoxWindow().isVisible());
        EXPECT_FALSE(context().forms.frmMsgBox.loaded);
    }
}

TEST_F(MsgBoxWindowTest, okBoxClosesOnEnterAndOnEscapeWithoutRunningAnAction) {
    for (const auto key : {Qt::Key_Return, Qt::Key_Escape}) {
        tell();
        ASSERT_TRUE(msgBoxWindow().isVisible());
        EXPECT_TRUE(shownInBox("fraOK"));
        EXPECT_FALSE(shownInBox("fraYesNo"));
        QTest::keyClick(&msgBoxWindow(), key);
        EXPECT_FALSE(msgBoxWindow().isVisible()) << key;
    }
    EXPECT_TRUE(action->answers.empty());
}

TEST_F(MsgBoxWindowTest, showsTheModelsTextAndCaptionsCentredInTheWorkArea) {
    ask(MsgBox::kDefaultNo);
    const auto& model = context().forms.frmMsgBox;
    auto* yes = msgBoxWindow().findChild<QPushButton*>("cmdYes");
    auto* no = msgBoxWindow().findChild<QPushButton*>("cmdNo");
    EXPECT_EQ(yes->text().toStdString(), model.cmdYesCaption);
    EXPECT_EQ(no->text().toStdString(), model.cmdNoCaption);
    EXPECT_EQ(msgBoxWindow().windowTitle().toStdString(), model.caption);
    EXPECT_EQ(msgBoxWindow().focusWidget(), no) << "the default answer has the focus";

    const auto area = QGuiApplication::primaryScreen()->availableGeometry();
    const auto centre = msgBoxWindow().geometry().center();
    EXPECT_LE(std::abs(centre.x() - area.center().x()), 1);
    EXPECT_LE(std::abs(centre.y() - area.center().y()), 1);

    // A click goes to the engine like the key does.
    no->click();
    EXPECT_EQ(action->answers, std::vector<std::string>{"no"});
}

} // namespace
} // namespace orvan::test
