#include "SessionShots.h"

#include "AboutWindow.h"
#include "FrontEnd.h"
#include "MainFormWindow.h"
#include "MicroStatusWindow.h"
#include "SmallStatusWindow.h"
#include "StatusWindow.h"
#include "client/Client.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <cstdio>

namespace orvan {
namespace {

constexpr double kMinute = 1.0 / 1440.0;

struct SessionKind {
    int type;
    int state;
    const char* name;
};

} // namespace

SessionShots::SessionShots(Client& client, FrontEnd& frontEnd, QString output, Save save)
    : client_(client)
    , frontEnd_(frontEnd)
    , output_(std::move(output))
    , save_(std::move(save)) {}

void SessionShots::settle() {
    frontEnd_.sync();
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
    }
}

void SessionShots::openSession(int type, int state) {
    auto& context = client_.context();
    auto& session = context.workstation.session;
    session.intSessionType = type;
    session.strUserID = type == Workstation::kMember ? "somchai" : "123456";
    session.dteCreditTime = session.dteRemainingTime = 95 * kMinute;
    session.dteValidUntil = context.now() + 30;
    context.workstation.setState(state);
    client_.sessionControl().funStartSession();
    // A few minutes in, with the server there to chat with.
    client_.sessionClock().tmrSessionStatus_Timer();
    context.forms.frmStatus.cmdChatEnabled = true;
    context.forms.frmStatus.cmdCliPasswordEnabled = true;
    settle();
}

void SessionShots::endSession() {
    client_.context().forms.frmMsgBox.unload();
    client_.sessionControl().funStopSession(true);
    settle();
}

void SessionShots::saveOnDesktop(QWidget& window, QSize size, const QString& name) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    // Where the window stands from the work area's bottom-right corner, kept on the
    // desktop drawn here.
    const QPoint fromCorner(area.x() + area.width() - window.x(),
                            area.y() + area.height() - window.y());
    QImage desktop(size, QImage::Format_RGB32);
    desktop.fill(QColor(0x3a, 0x5a, 0x7a));
    QPainter painter(&desktop);
    painter.drawPixmap(QPoint(size.width(), size.height()) - fromCorner, window.grab());
    painter.end();
    const auto path = QDir(output_).filePath(name + ".png");
    if (desktop.save(path, "PNG")) {
        std::printf("%s\n", qPrintable(path));
    }
}

void SessionShots::run(const QString& language) {
    auto& context = client_.context();
    // The splash has gone; every hour is charged at the full rate, so the time counts.
    context.forms.frmAbout.unload();
    context.workstation.tariff.intRatioDisconCon = 100;
    context.workstation.tariff.intOffPeakRatio = 100;
    const SessionKind kinds[] = {
        {Workstation::kCard, Workstation::kConnected, "card"},
        {Workstation::kMember, Workstation::kDisconnected, "member"},
        {Workstation::kSelfServicePostpaid, Workstation::kConnected, "selfservice"},
        {Workstation::kSelfServicePrepaid, Workstation::kConnected, "prepaid"}};
    auto& windows = client_.statusWindows();
    for (const auto& kind : kinds) {
        openSession(kind.type, kind.state);
        const auto name = QStringLiteral("status_%1_%2").arg(QLatin1String(kind.name), language);
        save_(frontEnd_.statusWindow(), name);
        windows.receiveChat(QStringLiteral("Hello, your coffee is ready").toStdString());
        settle();
        save_(frontEnd_.statusWindow(), name + "_chat");
        for (const QSize size : {QSize(1024, 768), QSize(1920, 1080)}) {
            saveOnDesktop(frontEnd_.statusWindow(), size,
                          name +
                              QStringLiteral("_chat_%1x%2").arg(size.width()).arg(size.height()));
        }
        windows.cmdClose_Click();
        settle();
        const auto small =
            QStringLiteral("smallstatus_%1_%2").arg(QLatin1String(kind.name), language);
        save_(frontEnd_.smallStatusWindow(), small);
        saveOnDesktop(frontEnd_.smallStatusWindow(), QSize(1024, 768), small + "_1024x768");
        endSession();
    }
    openSession(Workstation::kFree, Workstation::kFreeSession);
    save_(frontEnd_.microStatusWindow(), QStringLiteral("microstatus_%1").arg(language));
    saveOnDesktop(frontEnd_.microStatusWindow(), QSize(1920, 1080),
                  QStringLiteral("microstatus_%1_1920x1080").arg(language));
    endSession();

    client_.sessionControl().subDeactivate();
    settle();
    save_(frontEnd_.mainWindow(), QStringLiteral("main_%1").arg(language));
    client_.mainWindow().mnuAbout_Click();
    settle();
    save_(frontEnd_.aboutWindow(), QStringLiteral("about_%1").arg(language));
    client_.about().cmdOK_Click();
    client_.sessionControl().subActivate();
    settle();
}

} // namespace orvan
