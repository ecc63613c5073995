#include "msgbox/MsgBox.h"

#include "support/ClientFixture.h"

#include <functional>
#include <stdexcept>

namespace orvan::test {
namespace {

constexpr std::int64_t kTimeOut = MsgBox::kTimeOutMillis;

// Counts the answers it is given; can fail, or run a step of its own.
class RecordingAction : public MsgBoxAction {
public:
    void subExecuteCommandButton1() override {
        ++yes;
        if (onYes) {
            onYes();
        }
    }
    void subExecuteCommandButton2() override { ++no; }

    int yes = 0;
    int no = 0;
    std::function<void()> onYes;
};

class MsgBoxTest : public ClientFixture {
protected:
    void SetUp() override {
        configured();
        start(commandLine());
        beepsBefore_ = fake.dialogs.beeps;
    }

    virtual std::string commandLine() const { return {}; }
    MsgBox& msgBox() { return client().msgBox(); }
    MsgBoxForm& box() { return context().forms.frmMsgBox; }
    int beeps() const { return fake.dialogs.beeps - beepsBefore_; }

    void tell(const std::string& text) {
        msgBox().subShowMsgBox(text, MsgBox::kButtonsOK, 0, nullptr, nullptr, MsgBox::kModeless, 0);
    }
    void ask(const std::string& text, int defaultButton, std::shared_ptr<MsgBoxAction> action,
             FormModel* owner = nullptr, int protectedFlag = 0) {
        msgBox().subShowMsgBox(text, MsgBox::kButtonsYesNo, defaultButton, std::move(action), owner,
                               MsgBox::kModeless, protectedFlag);
    }
    // A running session in connected usage.
    void inSession(int state = Workstation::kConnected) {
        context().workstation.intPrevWksnState = Workstation::kWaiting;
        context().workstation.intWksnState = state;
        context().forms.frmBlock.hide();
    }

    int beepsBefore_ = 0;
};

TEST_F(MsgBoxTest, okBoxIsCentredInTheWorkAreaAndLocalized) {
    tell("Hello");
    EXPECT_TRUE(box().visible);
    EXPECT_EQ(box().lblText, "Hello");
    EXPECT_TRUE(box().fraOKVisible);
    EXPECT_EQ(box().cancelButton, MsgBoxButton::cmdOK);
    EXPECT_EQ(box().focused, MsgBoxButton::cmdOK);
    EXPECT_TRUE(box().topMost);
    EXPECT_EQ(box().left, (fake.screen.workAreaWidthTwips() - box().width) / 2);
    EXPECT_EQ(box().top, (fake.screen.workAreaHeightTwips() - box().height) / 2);
    EXPECT_GT(box().top, 0);
    EXPECT_EQ(box().caption, "OrvanClient - เตือน");
    EXPECT_EQ(box().cmdOKCaption, "OK");
    EXPECT_EQ(box().cmdYesCaption, "Yes");
    EXPECT_EQ(box().cmdNoCaption, "No");
}

TEST_F(MsgBoxTest, questionFocusesItsDefaultAndTakesModalityOnlyFromAnOwner) {
    auto action = std::make_shared<RecordingAction>();
    ask("Pause?", MsgBox::kDefaultYes, action);
    EXPECT_FALSE(box().fraOKVisible);
    EXPECT_EQ(box().cancelButton, MsgBoxButton::cmdYes);
    EXPECT_EQ(box().focused, MsgBoxButton::cmdYes);
    EXPECT_EQ(box().uAction, action);

    msgBox().subShowMsgBox("Quit?", MsgBox::kButtonsYesNo, MsgBox::kDefaultNo, action,
                           &context().forms.frmBlock, MsgBox::kModal, 0);
    EXPECT_EQ(box().focused, MsgBoxButton::cmdNo);
    EXPECT_EQ(box().cancelButton, MsgBoxButton::cmdNo);
    EXPECT_EQ(box().mfrmParent, &context().forms.frmBlock);
    EXPECT_TRUE(box().modal) << "a model flag; the call has returned";

    msgBox().subShowMsgBox("Quit?", MsgBox::kButtonsYesNo, MsgBox::kDefaultNo, action, nullptr,
                           MsgBox::kModal, 0);
    EXPECT_FALSE(box().modal) << "no owner, no modality";
    EXPECT_EQ(box().mfrmParent, nullptr);
}

class MsgBoxTestModeTest : public MsgBoxTest {
protected:
    std::string commandLine() const override { return "-t"; }
};

TEST_F(MsgBoxTestModeTest, boxIsNotTopMost) {
    tell("Hello");
    EXPECT_TRUE(box().visible);
    EXPECT_FALSE(box().topMost);
}

TEST_F(MsgBoxTest, sameTextReplacesSilentlyAnyOtherBeepsEvenWhenDropped) {
    tell("Time is nearly up");
    EXPECT_EQ(beeps(), 1);
    tell("Time is nearly up");
    EXPECT_EQ(beeps(), 1);
    tell("Another");
    EXPECT_EQ(beeps(), 2);

    msgBox().cmdOK_Click();
    tell("Another");
    EXPECT_EQ(beeps(), 3) << "the box was closed: the same text is news again";

    ask("Switch?", MsgBox::kDefaultYes, msgBox().actionConnected(), nullptr, 1);
    tell("Dropped");
    EXPECT_EQ(beeps(), 5);
    EXPECT_EQ(box().lblText, "Switch?");
    tell("Dropped");
    EXPECT_EQ(beeps(), 6) << "a dropped text is not remembered";
}

TEST_F(MsgBoxTest, protectedQuestionDropsLaterMessagesButTheyStillClosePasswordDialogs) {
    auto& forms = context().forms;
    auto action = std::make_shared<RecordingAction>();
    ask("Switch?", MsgBox::kDefaultNo, action, &forms.frmStatus, 1);
    forms.frmPasswd.show();
    forms.frmPasswdChange.show();

    ask("Pause?", MsgBox::kDefaultYes, msgBox().actionPauseSession());
    EXPECT_FALSE(forms.frmPasswd.loaded);
    EXPECT_FALSE(forms.frmPasswdChange.loaded);
    EXPECT_EQ(box().lblText, "Switch?");
    EXPECT_EQ(box().uAction, action);
    EXPECT_EQ(box().defaultButton, MsgBoxButton::cmdNo);
    EXPECT_EQ(box().mfrmParent, &forms.frmStatus);

    fake.time.advance(kTimeOut);
    EXPECT_EQ(action->no, 1) << "the dropped message did not restart the time-out";
    tell("After the answer");
    EXPECT_EQ(box().lblText, "After the answer") << "protection ends with its box";
}

TEST_F(MsgBoxTest, unprotectedBoxIsReplacedWithAFullTimeOut) {
    tell("First");
    fake.time.advance(60'000);
    auto action = std::make_shared<RecordingAction>();
    ask("Second?", MsgBox::kDefaultNo, action);
    fake.time.advance(60'000);
    fake.time.advance(kTimeOut - 60'001);
    EXPECT_TRUE(box().visible);
    fake.time.advance(1);
    EXPECT_FALSE(box().loaded);
    EXPECT_EQ(action->no, 1);
    EXPECT_FALSE(msgBox().tmrTimeOut().enabled());
}

TEST_F(MsgBoxTest, okBoxClosesItselfAndNeverRunsTheActionLeftOnTheBox) {
    auto action = std::make_shared<RecordingAction>();
    ask("Question?", MsgBox::kDefaultYes, action);
    tell("Just so you know");
    EXPECT_EQ(box().uAction, action) << "an OK box leaves the action as it was";
    fake.time.advance(kTimeOut - 1);
    EXPECT_TRUE(box().visible);
    fake.time.advance(1);
    EXPECT_FALSE(box().loaded);

    tell("Again");
    msgBox().cmdOK_Click();
    EXPECT_EQ(action->yes + action->no, 0);
}

TEST_F(MsgBoxTest, answerClosesTheBoxBeforeItsActionRunsEvenAFailingOne) {
    auto action = std::make_shared<RecordingAction>();
    bool loadedDuringAction = true;
    action->onYes = [&] {
        loadedDuringAction = box().loaded;
        throw std::runtime_error("broken");
    };
    ask("Question?", MsgBox::kDefaultNo, action);
    msgBox().cmdYes_Click();
    EXPECT_EQ(action->yes, 1);
    EXPECT_FALSE(loadedDuringAction);
    EXPECT_TRUE(logContains("frmMsgBox.cmdYes_ClickError"));

    ask("Question?", MsgBox::kDefaultYes, action);
    msgBox().cmdNo_Click();
    EXPECT_EQ(action->no, 1);
    EXPECT_FALSE(box().loaded);
}

TEST_F(MsgBoxTest, actionMayAskTheNextQuestion) {
    auto first = std::make_shared<RecordingAction>();
    auto next = std::make_shared<RecordingAction>();
    const std::weak_ptr<RecordingAction> running = first;
    bool aliveThroughout = false;
    first->onYes = [&] {
        ask("Next?", MsgBox::kDefaultNo, next);
        aliveThroughout = !running.expired();
    };
    ask("First?", MsgBox::kDefaultYes, first);
    first.reset(); // the box holds the only reference now
    msgBox().cmdYes_Click();
    EXPECT_TRUE(aliveThroughout) << "replacing uAction must not destroy the running action";
    EXPECT_TRUE(box().visible);
    EXPECT_EQ(box().lblText, "Next?");
    EXPECT_EQ(box().uAction, next);
}

TEST_F(MsgBoxTest, boxUnloadedFromOutsideNeverAnswers) {
    auto action = std::make_shared<RecordingAction>();
    ask("Question?", MsgBox::kDefaultYes, action);
    box().unload(); // as closing all windows does
    fake.time.advance(2 * kTimeOut);
    EXPECT_EQ(action->yes + action->no, 0);
    EXPECT_FALSE(msgBox().tmrTimeOut().enabled());
    ask("Question?", MsgBox::kDefaultYes, action);
    EXPECT_EQ(beeps(), 2) << "not loaded: the same text beeps";
    EXPECT_TRUE(box().visible);
}

TEST_F(MsgBoxTest, unansweredPauseAndQuitQuestionsChangeNothing) {
    inSession();
    auto& forms = context().forms;
    ask("Pause?", MsgBox::kDefaultNo, msgBox().actionPauseSession(), &forms.frmStatus);
    fake.time.advance(kTimeOut);
    ask("Quit?", MsgBox::kDefaultNo, msgBox().actionCloseSession(), &forms.frmStatus);
    fake.time.advance(kTimeOut);
    EXPECT_FALSE(box().loaded);
    EXPECT_EQ(context().workstation.intWksnState, Workstation::kConnected);
    EXPECT_FALSE(forms.frmBlock.visible);
}

TEST_F(MsgBoxTest, unansweredModeQuestionsTakeTheirDefault) {
    inSession();
    auto& status = context().forms.frmStatus;
    auto& killer = *context().timers.tmrAppKiller;
    // The customer clicked "disconnected"; the question defaults to No.
    status.optConnected = false;
    status.optDisconnected = true;
    ask("Disconnect?", MsgBox::kDefaultNo, msgBox().actionDisconnected(), &status, 1);
    fake.time.advance(kTimeOut);
    EXPECT_TRUE(status.optConnected);
    EXPECT_FALSE(status.optDisconnected);
    EXPECT_EQ(context().workstation.intWksnState, Workstation::kConnected);

    // A No elsewhere leaves the status windows alone.
    msgBox().subShowMsgBox("Disconnect?", MsgBox::kButtonsYesNo, MsgBox::kDefaultNo,
                           msgBox().actionDisconnected(), &context().forms.frmBlock, 0, 1);
    fake.time.advance(kTimeOut);
    EXPECT_TRUE(status.optConnected);

    msgBox().actionDisconnected()->subExecuteCommandButton1();
    EXPECT_EQ(context().workstation.intWksnState, Workstation::kDisconnected);
    EXPECT_EQ(context().workstation.intPrevWksnState, Workstation::kConnected);
    EXPECT_TRUE(killer.enabled());

    // Back to Internet: this question defaults to Yes.
    status.optConnected = true;
    status.optDisconnected = false;
    ask("Connect?", MsgBox::kDefaultYes, msgBox().actionConnected(), &status, 1);
    fake.time.advance(kTimeOut);
    EXPECT_EQ(context().workstation.intWksnState, Workstation::kConnected);
    EXPECT_EQ(context().workstation.intPrevWksnState, Workstation::kDisconnected);
    EXPECT_FALSE(killer.enabled());
    EXPECT_TRUE(status.optConnected);

    msgBox().actionConnected()->subExecuteCommandButton2();
    EXPECT_TRUE(status.optDisconnected) << "No re-selects the option the customer left";
    EXPECT_FALSE(status.optConnected);
}

TEST_F(MsgBoxTest, unansweredResumeQuestionResumesTheSession) {
    inSession(Workstation::kPaused);
    context().workstation.intPrevWksnState = Workstation::kConnected;
    context().forms.frmBlock.show();
    ask("Internet is back. Resume?", MsgBox::kDefaultYes, msgBox().actionUnPauseSession());
    fake.time.advance(kTimeOut);
    EXPECT_EQ(context().workstation.intWksnState, Workstation::kConnected);
    EXPECT_FALSE(context().forms.frmBlock.visible);
}

} // namespace
} // namespace orvan::test
