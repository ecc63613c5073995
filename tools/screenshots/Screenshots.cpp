// Draws the lock screen in every blocked state, in Thai (the built-in table) and in
// English, and both forms of the message box, into PNGs for people to look at:
//   orvan-screenshots <output folder>
// The client runs on the test fakes; the windows are drawn on Qt's offscreen screen.

#include "BlockWindow.h"
#include "FrontEnd.h"
#include "MsgBoxWindow.h"
#include "OptionsWindow.h"
#include "PasswdChangeWindow.h"
#include "PasswdCloseWindow.h"
#include "PasswdLogOffWindow.h"
#include "PasswdWindow.h"
#include "SessionShots.h"
#include "SetupWizardWindow.h"
#include "client/Client.h"
#include "support/FakePlatform.h"

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>
#include <string>

namespace {

using namespace orvan;

constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 800;
// Longer than the lock window holds its first paint back.
constexpr qint64 kSettleMillis = 50;

const char* const kGeneral = "Software\\OrvanetixClient\\General";

struct Language {
    const char* name; // in the file names
    std::string pack;
    long charset;
    const char* messages; // the prefix of the sample messages
};

// A screen of the given size at 96 dpi, through the offscreen platform's own settings.
QString screenConfiguration(const QTemporaryDir& folder) {
    const auto path = folder.filePath(QStringLiteral("screen.json"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(QStringLiteral(R"({"screens": [{"name": "shots", "x": 0, "y": 0, "width": %1,
                   "height": %2, "logicalDpi": 96, "logicalBpi": 96, "dpr": 1}]})")
                       .arg(kScreenWidth)
                       .arg(kScreenHeight)
                       .toUtf8());
    }
    return path;
}

// Stand-ins for what a cafe puts beside the program: advertising and the server's screen.
QString drawPicture(const QString& folder, const QString& name, QSize size, QColor colour,
                    const QString& text) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour.lighter(150), 6));
    painter.drawEllipse(QRect(QPoint(0, 0), size).adjusted(20, 20, -20, -20));
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPixelSize(size.height() / 8);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(image.rect(), Qt::AlignCenter, text);
    painter.end();
    const auto path = QDir(folder).filePath(name);
    image.save(path, "JPG", 90);
    return path;
}

class Shots {
public:
    Shots(QApplication& application, const QString& output)
        : output_(output) {
        QDir().mkpath(output_);
        QDir().mkpath(output_ + "/media");
        fake_.time.setBoot(5 * 60 * 1000);
        fake_.store.putString(kGeneral, "Config Wizard", "1");
        fake_.store.write(Hive::User, kGeneral, "Config Wizard", std::string{"1"});
        fake_.store.putString(kGeneral, "Current Settings Version", "4");
        // The shipped packs beside the program, as a cafe installs them.
        for (const char* name : {"orvanclient_gb", "orvanclient_th"}) {
            QFile pack(QStringLiteral(ORVAN_LANG_FOLDER "/%1.lang").arg(QLatin1String(name)));
            if (pack.open(QIODevice::ReadOnly)) {
                fake_.files.write(std::string{"/program/"} + name + ".lang",
                                  pack.readAll().toStdString());
            }
        }
        client_ = std::make_unique<Client>(fake_.platform());
        client_->Main("");
        frontEnd_ = std::make_unique<FrontEnd>(*client_, application);
        preparePictures();
    }

    bool run() {
        const Language languages[] = {{"th", "orvanclient_th", 222, "th"},
                                      {"en", "orvanclient_gb", 0, "en"}};
        for (const auto& language : languages) {
            auto& localization = client_->context().localization;
            // The default language, which the waiting state returns to, and the current
            // one, so that every window is localized again.
            localization.setLanguages(language.pack, language.charset);
            localization.changeCurrentLanguage(language.pack, language.charset);
            useMessages(language.messages);
            for (const int state : {2, 3, 4, 8, 9, 10, 11}) {
                showState(state);
                save(lockWindow(), QStringLiteral("block_%1_%2").arg(state).arg(language.name));
            }
            showState(2);
            client_->loginPanel().OptClient_Click();
            settle();
            save(lockWindow(), QStringLiteral("block_2_member_%1").arg(language.name));
            client_->loginPanel().optCard_Click();

            auto& box = client_->msgBox();
            box.subShowMsgBox(localization.funLoadResString(10104), MsgBox::kButtonsOK, 0, {},
                              &client_->context().forms.frmBlock, MsgBox::kModal, 0);
            settle();
            save(frontEnd_->msgBoxWindow(), QStringLiteral("msgbox_ok_%1").arg(language.name));
            box.subShowMsgBox(localization.funLoadResString(10184), MsgBox::kButtonsYesNo,
                              MsgBox::kDefaultNo, box.actionCloseSession(),
                              &client_->context().forms.frmBlock, MsgBox::kModal, 0);
            settle();
            save(frontEnd_->msgBoxWindow(), QStringLiteral("msgbox_yesno_%1").arg(language.name));
            box.unload();
            SessionShots(*client_, *frontEnd_, output_,
                         [this](QWidget& window, const QString& name) { save(window, name); })
                .run(QLatin1String(language.name));
            shootDialogs(language.name);
        }
        // The smallest and a large common screen: nothing may be cut or overlap.
        for (const QSize size : {QSize(1024, 768), QSize(1920, 1080)}) {
            for (const int state : {2, 8}) {
                showState(state);
                auto& window = lockWindow();
                window.setGeometry(QRect(QPoint(0, 0), size));
                settle();
                save(window, QStringLiteral("block_%1_en_%2x%3")
                                 .arg(state)
                                 .arg(size.width())
                                 .arg(size.height()));
                window.setGeometry(0, 0, kScreenWidth, kScreenHeight);
            }
        }
        return ok_;
    }

private:
    void preparePictures() {
        const auto media = output_ + "/media";
        const QColor colours[] = {QColor(0xc0, 0x39, 0x2b), QColor(0x27, 0xae, 0x60),
                                  QColor(0x8e, 0x44, 0xad), QColor(0xd3, 0x54, 0x00)};
        for (int i = 0; i < 4; ++i) {
            advertising_.push_back(drawPicture(media, QStringLiteral("%1.jpg").arg(i + 1),
                                               QSize(400, 300), colours[i],
                                               QStringLiteral("Promo %1").arg(i + 1)));
        }
        follow_ = drawPicture(media, "follow_image.jpg", QSize(1280, 800), QColor(0x20, 0x50, 0x80),
                              "Server screen");
    }

    // The shipped sample messages of the language, as received files are used.
    void useMessages(const char* prefix) {
        auto& settings = client_->context().settings;
        settings.intMsgLogoFilesType = 1;
        const auto path = [prefix](const char* name) {
            return QStringLiteral(ORVAN_MESSAGES_FOLDER "/%1_%2.rtf")
                .arg(QLatin1String(prefix), QLatin1String(name))
                .toStdString();
        };
        settings.strMsgIntro = path("intro");
        settings.strMsgBlocked = path("blocked");
        settings.strMsgSessionEnd = path("sessionend");
        settings.strMsgNoCredit = path("nocredit");
        settings.strMsgSessionPaused = path("sessionpaused");
    }

    void showState(int state) {
        auto& context = client_->context();
        context.workstation.setState(state);
        client_->lockScreen().refresh();
        auto& block = context.forms.frmBlock;
        for (std::size_t i = 0; i < advertising_.size(); ++i) {
            block.img[i] = advertising_[i].toStdString();
        }
        block.imgFollowServer.file = follow_.toStdString();
        settle();
    }

    BlockWindow& lockWindow() { return *frontEnd_->blockWindows().front(); }

    // The setup wizard's pages and the settings and password dialogs.
    void shootDialogs(const char* language) {
        auto& context = client_->context();
        context.workstation.setState(Workstation::kDeactivated);
        client_->lockScreen().release();
        // Every step, as on a computer not yet set up.
        context.settings.intConfigWizardMachine = 0;
        auto& wizard = client_->setupWizard();
        wizard.Form_Load();
        for (int step = 0; step <= SetupWizardForm::kLastStep; ++step) {
            if (step == 1) {
                wizard.optServerManualConnect_Click();
                wizard.txtServerName_Change("cafe-server");
            }
            settle();
            save(frontEnd_->dialog<SetupWizardWindow>(),
                 QStringLiteral("wizard_%1_%2").arg(step).arg(QLatin1String(language)));
            wizard.cmdNext_Click();
        }
        context.forms.frmSetupWizard.unload();
        context.settings.intConfigWizardMachine = 1;
        const QString suffix = QStringLiteral("_%1").arg(QLatin1String(language));

        // The options dialog locked, asking for the password, and open.
        context.settings.strPassword = "admin";
        auto& options = client_->optionsDialog();
        options.Form_Load();
        settle();
        save(frontEnd_->dialog<OptionsWindow>(), "options_locked" + suffix);
        options.chkLocked_Click(true);
        settle();
        save(frontEnd_->dialog<OptionsWindow>(), "options_password" + suffix);
        options.txtLockedPassword_Change("admin");
        options.cmdUnlockOptions_Click();
        settle();
        save(frontEnd_->dialog<OptionsWindow>(), "options_unlocked" + suffix);
        context.forms.frmOptions.unload();

        auto& passwords = client_->passwordDialogs();
        passwords.openQuit(nullptr);
        settle();
        save(frontEnd_->dialog<PasswdCloseWindow>(), "passwd_close" + suffix);
        context.forms.frmPasswdClose.unload();
        passwords.openLogOff(nullptr);
        passwords.logOff().optShutdown_Click(2);
        settle();
        save(frontEnd_->dialog<PasswdLogOffWindow>(), "passwd_logoff" + suffix);
        context.forms.frmPasswdLogOff.unload();
        context.workstation.session.strUserPasswd = "old";
        passwords.passwordChange().Form_Load(nullptr);
        passwords.passwordChange().txtOldPassword_Change("wrong");
        passwords.passwordChange().cmdChange_Click();
        settle();
        save(frontEnd_->dialog<PasswdChangeWindow>(), "passwd_change" + suffix);
        context.forms.frmPasswdChange.unload();

        // Over the lock screen, as the hidden gesture opens it, after a wrong entry.
        showState(2);
        client_->lockScreenActions().Form_CtrlAltEnter();
        passwords.deactivation().txtPassword_Change("x");
        passwords.deactivation().cmdDeactivate_Click();
        settle();
        save(frontEnd_->dialog<PasswdWindow>(), "passwd_deactivate" + suffix);
        passwords.deactivation().cmdCancel_Click();
        context.settings.strPassword.clear();
        settle();
    }

    void settle() {
        frontEnd_->sync();
        // A lock window just shown paints its widgets a frame later.
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < kSettleMillis) {
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        }
    }

    void save(QWidget& window, const QString& name) {
        const auto path = QDir(output_).filePath(name + ".png");
        if (!window.isVisible() || !window.grab().save(path, "PNG")) {
            std::fprintf(stderr, "could not draw %s\n", qPrintable(path));
            ok_ = false;
            return;
        }
        std::printf("%s\n", qPrintable(path));
    }

    QString output_;
    test::FakePlatform fake_;
    std::unique_ptr<Client> client_;
    std::unique_ptr<FrontEnd> frontEnd_;
    std::vector<QString> advertising_;
    QString follow_;
    bool ok_ = true;
};

} // namespace

int main(int argc, char** argv) {
    const QString output =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    QTemporaryDir scratch;
    qputenv("QT_QPA_PLATFORM",
            QStringLiteral("offscreen:configfile=%1").arg(screenConfiguration(scratch)).toUtf8());
    QApplication application(argc, argv);
    // A focused field's caret blinks on a wall-clock timer: on a busy machine a blink
    // fell inside a picture now and then. A steady caret draws every run alike.
    QApplication::setCursorFlashTime(0);
    Shots shots(application, output);
    return shots.run() ? 0 : 1;
}
