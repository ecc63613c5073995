#include "FrontEndFixture.h"
#include "MainFormWindow.h"
#include "MicroStatusWindow.h"
#include "OptionsWindow.h"
#include "PasswdChangeWindow.h"
#include "PasswdCloseWindow.h"
#include "PasswdLogOffWindow.h"
#include "PasswdWindow.h"
#include "SetupWizardWindow.h"
#include "SmallStatusWindow.h"
#include "localization/Localization.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMenu>
#include <QStringList>
#include <functional>
#include <map>
#include <vector>

namespace orvan::test {
namespace {

// Switching to Thai while a window is up: every visible text of that window that came
// from the string table in English shows the Thai text of the same id afterwards.
class LanguageChangeTest : public FrontEndFixture {
protected:
    static constexpr long kFirstId = 10000;
    static constexpr long kLastId = 10380;

    struct Shown {
        QObject* widget;
        std::vector<long> ids; // one English text may stand for several
    };

    void SetUp() override {
        FrontEndFixture::SetUp();
        fake.time.advance(5'000); // the splash has closed
        fake.tcp.socketState = TcpSocket::kConnected;
    }

    static QString textOf(QObject* object) {
        if (auto* label = qobject_cast<QLabel*>(object)) {
            return label->text();
        }
        if (auto* button = qobject_cast<QAbstractButton*>(object)) {
            return button->text();
        }
        if (auto* menu = qobject_cast<QMenu*>(object)) {
            return menu->title();
        }
        return static_cast<QWidget*>(object)->windowTitle();
    }

    // The table's texts in the language in force, with their ids.
    std::map<QString, std::vector<long>> tableTexts() {
        auto& texts = context().localization;
        std::map<QString, std::vector<long>> ids;
        for (long id = kFirstId; id <= kLastId; ++id) {
            const auto text = QString::fromStdString(texts.funLoadResString(id)).trimmed();
            if (text.size() > 1) {
                ids[text].push_back(id);
            }
        }
        return ids;
    }

    std::vector<Shown> englishTextsOf(QWidget& window) {
        const auto ids = tableTexts();
        std::vector<Shown> shown;
        std::vector<QObject*> objects{&window};
        for (auto* widget : window.findChildren<QWidget*>()) {
            if (widget->isVisibleTo(&window) || qobject_cast<QMenu*>(widget) != nullptr) {
                objects.push_back(widget);
            }
        }
        for (auto* object : objects) {
            // The link writes these at its own events (searching, connecting, connected);
            // they take the new language at the next one.
            if (object->objectName() == "lblServerName" ||
                object->objectName() == "lblConnexionStatus") {
                continue;
            }
            const auto found = ids.find(textOf(object).trimmed());
            if (found != ids.end()) {
                shown.push_back({object, found->second});
            }
        }
        return shown;
    }

    // Opens the window in English, switches to Thai and checks what it shows.
    void expectTranslated(const char* name, const std::function<void()>& open,
                          const std::function<QWidget&()>& window) {
        auto& texts = context().localization;
        texts.changeCurrentLanguage(kEnglish, 0);
        open();
        frontEnd_->sync();
        ASSERT_TRUE(window().isVisible()) << name;
        const auto shown = englishTextsOf(window());
        EXPECT_GE(shown.size(), 3U) << name << ": too few table texts to judge";
        texts.changeCurrentLanguage(kThai, 222);
        frontEnd_->sync();
        for (const auto& [widget, ids] : shown) {
            QStringList thai;
            for (const long id : ids) {
                thai << QString::fromStdString(texts.funLoadResString(id)).trimmed();
            }
            EXPECT_TRUE(thai.contains(textOf(widget).trimmed()))
                << name << ": " << widget->objectName().toStdString() << " shows \""
                << textOf(widget).toStdString() << "\" for " << ids.front();
        }
    }

    void openSession(int type, int state) {
        auto& session = context().workstation.session;
        session.intSessionType = type;
        session.strUserID = "123456";
        session.dteCreditTime = session.dteRemainingTime = 30.0 / 1440.0;
        session.dteValidUntil = context().now() + 1;
        context().workstation.setState(state);
        client().sessionControl().funStartSession();
    }

    template <typename Window>
    std::function<QWidget&()> dialog() {
        return [this]() -> QWidget& { return frontEnd_->dialog<Window>(); };
    }
};

TEST_F(LanguageChangeTest, reachesTheSmallAndMicroStatusWindows) {
    expectTranslated(
        "frmSmallStatus",
        [this] {
            openSession(Workstation::kCard, Workstation::kConnected);
            client().statusWindows().cmdClose_Click();
        },
        [this]() -> QWidget& { return frontEnd_->smallStatusWindow(); });
    client().sessionControl().funStopSession(true);
    expectTranslated(
        "frmMicroStatus", [this] { openSession(Workstation::kFree, Workstation::kFreeSession); },
        [this]() -> QWidget& { return frontEnd_->microStatusWindow(); });
}

TEST_F(LanguageChangeTest, reachesTheMainWindowAndItsMenus) {
    expectTranslated(
        "frmMain", [this] { client().sessionControl().subDeactivate(); },
        [this]() -> QWidget& { return frontEnd_->mainWindow(); });
}

TEST_F(LanguageChangeTest, reachesEveryDialog) {
    context().settings.strPassword = "Admin";
    auto& dialogs = client().passwordDialogs();
    expectTranslated(
        "frmPasswd", [&] { dialogs.openDeactivation(nullptr); }, dialog<PasswdWindow>());
    dialogs.deactivation().cmdCancel_Click();
    expectTranslated(
        "frmPasswdClose", [&] { dialogs.openQuit(nullptr); }, dialog<PasswdCloseWindow>());
    dialogs.quit().cmdCancel_Click();
    expectTranslated(
        "frmPasswdLogOff", [&] { dialogs.openLogOff(nullptr); }, dialog<PasswdLogOffWindow>());
    dialogs.logOff().cmdCancel_Click();
    expectTranslated(
        "frmPasswdChange", [&] { dialogs.openPasswordChange(nullptr); },
        dialog<PasswdChangeWindow>());
    dialogs.passwordChange().cmdCancel_Click();
    expectTranslated(
        "frmOptions", [&] { dialogs.openOptions(); }, dialog<OptionsWindow>());
    client().optionsDialog().cmdCancel_Click();
    frontEnd_->sync();
    context().settings.intConfigWizardMachine = 0;
    expectTranslated(
        "frmSetupWizard", [this] { client().setupWizard().Form_Load(); },
        dialog<SetupWizardWindow>());
}

} // namespace
} // namespace orvan::test
