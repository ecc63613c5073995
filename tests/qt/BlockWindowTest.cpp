#include "FrontEndFixture.h"
#include "SharedPictures.h"

#include <QComboBox>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <string>
#include <utility>

namespace orvan::test {
namespace {

using BlockWindowTest = FrontEndFixture;

constexpr const char* kPanels[] = {"fraControlsActive",     "fraControlsBlocked",
                                   "fraControlsSessionEnd", "fraControlsNoMoreCredit",
                                   "fraControlsPaused",     "fraControlsLocked"};

TEST_F(BlockWindowTest, eachBlockedStateShowsItsOwnPanelAndNoOther) {
    const std::pair<int, std::string> expected[] = {
        {Workstation::kWaiting, "fraControlsActive"},
        {Workstation::kBlocked, "fraControlsBlocked"},
        {Workstation::kSessionEnded, "fraControlsSessionEnd"},
        {Workstation::kNoCredit, "fraControlsNoMoreCredit"},
        {Workstation::kPaused, "fraControlsPaused"},
        {Workstation::kPausedLocked, "fraControlsLocked"},
    };
    for (const auto& [state, panel] : expected) {
        showState(state);
        EXPECT_TRUE(window().isVisible()) << "state " << state;
        EXPECT_TRUE(shown("fraForm") && shown("fraHeader") && shown("fraFooter"))
            << "state " << state;
        EXPECT_FALSE(shown("imgFollowServer")) << "state " << state;
        for (const char* name : kPanels) {
            EXPECT_EQ(shown(name), panel == name) << "state " << state << ", " << name;
        }
    }
}

// A panel is made by the sync that first shows it: in that same sync it must come up
// with the model's texts, default button and focus, and the box sized for it, since the
// window may be mapped before any posted layout request is handled.
TEST_F(BlockWindowTest, panelMadeByTheSyncThatShowsItIsCompleteAndTheBoxFitsIt) {
    context().localization.setLanguages(kEnglish, 0);
    EXPECT_EQ(find("fraControlsPaused"), nullptr) << "no panel before a state shows it";
    showState(Workstation::kPaused);
    auto* unpause = find<QPushButton>("cmdUnPause");
    ASSERT_NE(unpause, nullptr);
    EXPECT_EQ(unpause->text().toStdString(), model().cmdUnPause.caption);
    EXPECT_TRUE(unpause->isDefault());
    EXPECT_EQ(window().focusWidget(), unpause);
    for (const char* name : kPanels) {
        EXPECT_EQ(shown(name), std::string{name} == "fraControlsPaused") << name;
    }

    // A box as small as the engine may ask, and a message above the panel: what they
    // need decides its height, as it does when the window comes back later.
    QTemporaryDir folder;
    const auto message = folder.filePath("message.rtf");
    QFile file(message);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({\rtf1\ansi Closed for cleaning\par})");
    file.close();
    const auto showWithMessage = [&](int state) {
        context().workstation.setState(state);
        client().lockScreen().refresh();
        model().fraForm.height = 1;
        model().rtbMessageFile = message.toStdString();
        frontEnd_->sync();
    };
    for (const int state : {Workstation::kNoCredit, Workstation::kBlocked}) {
        showWithMessage(state);
        const auto box = find("fraForm")->geometry();
        model().visible = false;
        frontEnd_->sync();
        showWithMessage(state);
        EXPECT_EQ(find("fraForm")->geometry(), box) << "state " << state;
    }
    EXPECT_EQ(find<QPushButton>("cmdReCnx")->text().toStdString(), model().cmdReCnx.caption);
    EXPECT_EQ(find<QLabel>("lbl4")->text().toStdString(), model().lbl[4].caption);
    EXPECT_EQ(find<QLabel>("lbl7")->text().toStdString(), model().lbl[7].caption);
}

// The box colours its labels dark; titles, hints and the closing warning keep their own.
TEST_F(BlockWindowTest, labelsWithColoursOfTheirOwnKeepThemInTheBox) {
    const auto colour = [this](const char* name) {
        auto* label = find<QLabel>(name);
        label->ensurePolished();
        return label->palette().color(QPalette::WindowText).name().toStdString();
    };
    showState(Workstation::kWaiting);
    EXPECT_EQ(colour("lbl2"), "#24476b");
    EXPECT_EQ(colour("txtCardNumToolTip"), "#4a3a00");
    EXPECT_EQ(colour("fraCardNumberCaption"), "#1b2733") << "an ordinary label of the box";
    showState(Workstation::kNoCredit);
    EXPECT_EQ(colour("lblCloseSessionWarning"), "#a12a1a");
}

TEST_F(BlockWindowTest, followStateShowsOnlyTheServersPictureOverTheWholeScreen) {
    QTemporaryDir folder;
    const auto advert = folder.filePath("1.jpg");
    QImage(200, 150, QImage::Format_RGB32).save(advert);
    showState(Workstation::kWaiting);
    model().img[0] = advert.toStdString();
    frontEnd_->sync();
    ASSERT_TRUE(shown("img0")) << "the advertising shows around the box";
    EXPECT_FALSE(find("img0")->geometry().intersects(find("fraForm")->geometry()));

    showState(Workstation::kPausedFollow);
    EXPECT_TRUE(shown("imgFollowServer"));
    EXPECT_EQ(find("imgFollowServer")->geometry(), window().rect());
    for (const char* name : {"fraForm", "fraHeader", "fraFooter", "fraNoServCnx", "img0"}) {
        EXPECT_FALSE(shown(name)) << name;
    }
}

TEST_F(BlockWindowTest, logoThatCannotBeDecodedIsReportedAndOurOwnStandsIn) {
    QTemporaryDir folder;
    const auto good = folder.filePath("logo.png");
    QImage(120, 60, QImage::Format_ARGB32).save(good);
    showState(Workstation::kWaiting);
    model().picLogo.file = good.toStdString();
    model().picLogo.png = true;
    frontEnd_->sync();
    EXPECT_EQ(find<QLabel>("picLogo")->pixmap().size(), QSize(120, 60));

    const auto broken = folder.filePath("logo.jpg");
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    file.close();
    model().picLogo.file = broken.toStdString();
    model().picLogo.png = false;
    frontEnd_->sync();
    EXPECT_TRUE(model().picLogo.file.empty()) << "the engine dropped the file";
    EXPECT_TRUE(logContains("Invalid picture: " + broken.toStdString()));
    EXPECT_EQ(find<QLabel>("picLogo")->pixmap().size(), QSize(160, 96)) << "our own logo";
}

TEST_F(BlockWindowTest, messageFileIsShownAgainWhenReplacedAndLoggedWhenRefused) {
    QTemporaryDir folder;
    const auto path = folder.filePath("intro.rtf");
    const auto write = [&path](const char* text) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    };
    write(R"({\rtf1\ansi Welcome\par})");
    showState(Workstation::kWaiting);
    model().rtbMessageFile = path.toStdString();
    frontEnd_->sync();
    auto* message = find<QTextBrowser>("rtbMessage");
    EXPECT_EQ(message->toPlainText(), "Welcome");

    // A received file takes the old one's name, and the engine says so.
    write(R"({\rtf1\ansi Closed for cleaning\par})");
    ++model().documentsRevision;
    frontEnd_->sync();
    EXPECT_EQ(message->toPlainText(), "Closed for cleaning");

    write("plain text is no rich text");
    ++model().documentsRevision;
    frontEnd_->sync();
    EXPECT_FALSE(shown("rtbMessage"));
    EXPECT_TRUE(logContains("frmBlock.rtbMessage_LoadFileError"));
}

TEST_F(BlockWindowTest, textsFollowTheLanguageChosenInTheChooser) {
    context().localization.setLanguages(kEnglish, 0);
    showState(Workstation::kWaiting);
    auto* connect = find<QPushButton>("cmdCxn");
    auto* card = find<QRadioButton>("optCard");
    EXPECT_EQ(connect->text(), "Start");
    EXPECT_EQ(card->text(), "Card");

    auto* chooser = find<QComboBox>("cmbLanguage");
    const int thai = chooser->findText("Thai");
    ASSERT_GE(thai, 0) << "the pack beside the program is offered";
    emit chooser->activated(thai);

    EXPECT_EQ(connect->text(), "ใช้งาน");
    EXPECT_EQ(card->text(), "คูปอง");
    EXPECT_EQ(connect->toolTip(), "คลิกที่นี่เพื่อเริ่มใช้งาน");
    EXPECT_EQ(chooser->currentIndex(), model().cmbLanguageIndex);
}

TEST_F(BlockWindowTest, cardFieldIsMaskedOnlyWhileTheModelHasAPasswordCharacter) {
    showState(Workstation::kWaiting);
    auto* card = find<QLineEdit>("txtCardNum");
    model().txtCardNum = "123";
    model().txtCardNumPasswordChar = "*";
    frontEnd_->sync();
    EXPECT_EQ(card->displayText(), "***");

    model().txtCardNumPasswordChar.clear();
    frontEnd_->sync();
    EXPECT_EQ(card->displayText(), "123");
}

TEST_F(BlockWindowTest, typedCardNumberIsFilteredByTheEngineAndTheCaretLandsWhereItSays) {
    showState(Workstation::kWaiting);
    auto* card = find<QLineEdit>("txtCardNum");
    QTest::keyClicks(card, "12a3");
    EXPECT_EQ(model().txtCardNum, "123");
    EXPECT_EQ(card->text(), "123");
    EXPECT_EQ(card->cursorPosition(), 3);
    EXPECT_TRUE(shown("txtCardNumToolTip")) << "the digits-only hint";

    // A letter typed in the middle goes; the caret stays after the digit before it.
    card->setCursorPosition(1);
    QTest::keyClicks(card, "x");
    EXPECT_EQ(card->text(), "123");
    EXPECT_EQ(card->cursorPosition(), 1);
    QTest::keyClicks(card, "9");
    EXPECT_EQ(model().txtCardNum, "1923");
    EXPECT_EQ(card->cursorPosition(), 2);
}

TEST_F(BlockWindowTest, memberLoginDropsIllegalCharactersAndItsHintGoesWithTheFocus) {
    showState(Workstation::kWaiting);
    find<QRadioButton>("OptClient")->click();
    EXPECT_TRUE(shown("fraClient"));
    EXPECT_FALSE(shown("fraCardNumber"));

    auto* login = find<QLineEdit>("txtLogin");
    QTest::keyClicks(login, "a/b");
    EXPECT_EQ(model().txtLogin, "ab");
    EXPECT_EQ(login->text(), "ab");
    EXPECT_TRUE(shown("txtLoginToolTip"));

    QFocusEvent lost(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(login, &lost);
    EXPECT_FALSE(shown("txtLoginToolTip"));
}

TEST_F(BlockWindowTest, focusMovesOnlyWhenTheModelsFocusChanges) {
    showState(Workstation::kWaiting);
    EXPECT_EQ(window().focusWidget(), find("txtCardNum"));

    // The customer clicked elsewhere: syncing must not pull the focus back.
    find("optConnected")->setFocus();
    frontEnd_->sync();
    EXPECT_EQ(window().focusWidget(), find("optConnected"));

    find<QRadioButton>("OptClient")->click();
    EXPECT_EQ(window().focusWidget(), find("txtLogin"));
}

TEST_F(BlockWindowTest, quitOnThePausedPanelAsksFirstAndEscapeKeepsTheSession) {
    showState(Workstation::kPaused);
    find<QPushButton>("cmdQuit1")->click();
    ASSERT_TRUE(msgBoxWindow().isVisible());
    EXPECT_TRUE(msgBoxWindow().findChild<QWidget*>("fraYesNo")->isVisibleTo(&msgBoxWindow()));

    QTest::keyClick(&msgBoxWindow(), Qt::Key_Escape);
    EXPECT_FALSE(msgBoxWindow().isVisible());
    EXPECT_EQ(context().workstation.intWksnState, Workstation::kPaused);
    EXPECT_TRUE(window().isVisible());
}

TEST_F(BlockWindowTest, hiddenGesturesDeactivateWhenNoPasswordIsSetBeforeTheSetup) {
    context().settings.intConfigWizardMachine = 0;
    showState(Workstation::kWaiting);
    QTest::keyClick(&window(), Qt::Key_Return, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(context().workstation.intWksnState, Workstation::kDeactivated);
    EXPECT_FALSE(window().isVisible());

    // A plain click on the logo is nothing; with Ctrl and Alt it is the same gesture.
    showState(Workstation::kWaiting);
    QTest::mouseClick(find("picLogo"), Qt::LeftButton);
    EXPECT_EQ(context().workstation.intWksnState, Workstation::kWaiting);
    QTest::mouseClick(find("picLogo"), Qt::LeftButton, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(context().workstation.intWksnState, Workstation::kDeactivated);
}

TEST_F(BlockWindowTest, doubleClickOnTheServiceSpotTogglesTheDiagnosticLists) {
    showState(Workstation::kWaiting);
    model().List1 = {"game.exe", "chat.exe"};
    EXPECT_FALSE(shown("lists"));
    QTest::mouseDClick(find("picservice"), Qt::LeftButton);
    ASSERT_TRUE(shown("lists"));
    auto* killList = find<QListWidget>("List1");
    ASSERT_EQ(killList->count(), 2);
    EXPECT_EQ(killList->item(1)->text(), "chat.exe");
    QTest::mouseDClick(find("picservice"), Qt::LeftButton);
    EXPECT_FALSE(shown("lists"));
}

TEST_F(BlockWindowTest, changesMadeByAnEngineTimerShowOnceTheEventLoopWaits) {
    showState(Workstation::kWaiting);
    // As an engine timer would: change the model, not the window.
    QTimer::singleShot(0, [this] { model().lblCnxIndicator = "Server - Connected"; });
    QEventLoop loop;
    QTimer::singleShot(50, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_EQ(find<QLabel>("lblstatus")->text(), "Server - Connected");
}

// The window is mapped before its parts are synced: whatever it shows first must
// already be the model's, laid out, and painted only once the hold is over.
TEST_F(BlockWindowTest, lockScreenComingBackIsUpToDateBeforeItsFirstPaint) {
    showState(Workstation::kWaiting);
    model().visible = false;
    frontEnd_->sync();
    ASSERT_FALSE(window().isVisible());

    showState(Workstation::kBlocked);
    model().lblCnxIndicator = "Server - Connected";
    frontEnd_->sync();
    ASSERT_TRUE(window().isVisible());
    EXPECT_FALSE(window().updatesEnabled()) << "the paint waits a frame";
    EXPECT_TRUE(shown("fraControlsBlocked"));
    EXPECT_FALSE(shown("fraControlsActive"));
    EXPECT_EQ(find<QLabel>("lblstatus")->text(), "Server - Connected");
    const auto box = find("fraForm")->geometry();
    EXPECT_TRUE(window().rect().contains(box) && !box.isEmpty());
    EXPECT_NEAR(box.center().x(), window().rect().center().x(), 1) << "placed, not left at 0,0";
    EXPECT_TRUE(QTest::qWaitFor([this] { return window().updatesEnabled(); }));
}

TEST_F(BlockWindowTest, boxAwaitingAnAnswerIsActivatedAgainOverTheLockWindowShownAnew) {
    showState(Workstation::kWaiting);
    // As QtDialogs shows it, in the middle of a sync that switches to test mode.
    QMessageBox box(QMessageBox::Warning, "OrvanClient", "The server runs on this computer");
    box.setWindowModality(Qt::ApplicationModal);
    box.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &box; }));

    model().topMost = false;
    frontEnd_->sync();
    EXPECT_TRUE(window().isVisible());
    QTest::qWait(50);
    EXPECT_EQ(QApplication::activeWindow(), &box) << "nobody could answer a box under the lock";
}

// A second screen's lock window shares the decoded advertising; while the lock screen
// is hidden (a whole session long) no window keeps it or its screen-sized follow
// picture, and everything is drawn again when the lock screen comes back.
TEST_F(BlockWindowTest, hiddenLockWindowsHoldNoPicturesAndScreensShareOneDecodedCopy) {
    QTemporaryDir folder;
    const auto advert = folder.filePath("1.png");
    QImage(200, 150, QImage::Format_RGB32).save(advert);
    BlockWindow second(client(), QGuiApplication::primaryScreen());
    const auto syncBoth = [&] {
        frontEnd_->sync();
        second.sync();
    };
    const auto drawn = [](QWidget& window, const char* name) {
        const auto* label = window.findChild<QLabel*>(QLatin1String(name));
        return label != nullptr && label->isVisibleTo(&window) && !label->pixmap().isNull();
    };
    showState(Workstation::kWaiting);
    model().img[0] = model().img[1] = advert.toStdString();
    syncBoth();
    ASSERT_TRUE(drawn(window(), "img0") && drawn(second, "img0") && drawn(second, "img1"));
    EXPECT_EQ(SharedPictures::alive(), 1U) << "one decoded copy for both slots and screens";

    showState(Workstation::kPausedFollow);
    model().imgFollowServer.file = advert.toStdString();
    syncBoth();
    ASSERT_TRUE(drawn(window(), "imgFollowServer"));

    model().visible = false;
    syncBoth();
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(SharedPictures::alive(), 0U);
    for (auto* hidden : {static_cast<QWidget*>(&window()), static_cast<QWidget*>(&second)}) {
        for (auto* label : hidden->findChildren<QLabel*>()) {
            EXPECT_TRUE(label->pixmap().isNull() || label->pixmap().width() <= 400)
                << label->objectName().toStdString() << " kept a large picture";
        }
    }

    showState(Workstation::kWaiting);
    syncBoth();
    EXPECT_TRUE(drawn(window(), "img0") && drawn(second, "img1"));
    EXPECT_EQ(SharedPictures::alive(), 1U);
}

TEST_F(BlockWindowTest, oneLockWindowPerScreenWithANativeId) {
    const auto ids = frontEnd_->lockWindowIds();
    ASSERT_EQ(ids.size(), QGuiApplication::screens().size());
    EXPECT_NE(ids.front(), WId{0});
}

} // namespace
} // namespace orvan::test
