#include "link/ServerCommands.h"

#include "base/DateSerial.h"
#include "base/Log.h"
#include "billing/AmountDue.h"
#include "link/ServerDispatcher.h"
#include "link/SessionSnapshot.h"
#include "localization/Localization.h"
#include "lockscreen/LockScreen.h"
#include "lockscreen/Login.h"
#include "model/EngineContext.h"
#include "model/MsgBoxForm.h"
#include "msgbox/MsgBox.h"
#include "session/SessionClock.h"
#include "session/SessionControl.h"
#include "status/StatusWindows.h"
#include "wire/Tags.h"
#include "wire/WireNumbers.h"

#include <cmath>

namespace orvan {

ServerCommands::ServerCommands(EngineContext& context, Parts parts)
    : context_(context)
    , parts_(parts) {}

int ServerCommands::integer(const std::string& text) const {
    return static_cast<int>(context_.numbers.toInteger(text, 16));
}

void ServerCommands::registerWith(ServerDispatcher& d) {
    auto& control = parts_.sessionControl;
    auto& lock = parts_.lockScreen;
    auto& w = context_.workstation;
    d.add(tags::kSessionOK, [this](const std::string& p) { sessionOk(p); });
    d.add(tags::kSessionNOK, [this](const std::string& p) { sessionNok(p); });
    d.add(tags::kSessionOpen, [this](const std::string& p) { sessionOpen(p); });
    d.add(tags::kSessionClose, [&control, &lock](const std::string&) {
        control.funStopSession(false);
        lock.refresh();
    });
    d.add(tags::kSessionFree, [this](const std::string&) { sessionFree(); });
    d.add(tags::kSessionID, [this, &w](const std::string& p) {
        w.session.lngSessionID = context_.numbers.toInteger(p, 32);
    });
    d.add(tags::kRechargeCard, [this](const std::string& p) { rechargeCard(p); });
    d.add(tags::kPauseWksn, [&control, &lock](const std::string&) {
        control.funPauseSession();
        lock.refresh();
    });
    d.add(tags::kPauseLocKWksn, [&control, &lock](const std::string&) {
        control.funLockSession();
        lock.refresh();
    });
    d.add(tags::kPauseFollowWksn, [&control, &lock](const std::string&) {
        control.funFollowSession();
        lock.refresh();
    });
    d.add(tags::kUnPauseWksn, [&control](const std::string&) { control.funUnPauseSession(); });
    d.add(tags::kResumeWksn, [&control](const std::string&) { control.subCheckBalance(); });
    d.add(tags::kServerDate, [this](const std::string& p) {
        parts_.clock.onServerDate(context_.numbers.funStrToDate(p));
    });
    d.add(tags::kPostPaidMode, [this](const std::string& p) { postPaidMode(p); });
    d.add(tags::kDefaultRecharges, [this](const std::string& p) { defaultRecharges(p); });
    d.add(tags::kRatioDisconCon,
          [this, &w](const std::string& p) { w.tariff.intRatioDisconCon = integer(p); });
    d.add(tags::kOffPeakParams, [this](const std::string& p) { offPeakParams(p); });
    d.add(tags::kCurrencySymbol, [this](const std::string& p) { currencySymbol(p); });
    d.add(tags::kNotifyNoInetCnx, [this](const std::string&) { noInternet(); });
    d.add(tags::kNotifyInetCnx, [this](const std::string&) { internetBack(); });
    d.add(tags::kChatMessage, [this](const std::string& p) { chatMessage(p); });
    d.add(tags::kEmptySerialzdUsr,
          [this](const std::string&) { parts_.snapshot.subEmptySerializedUser(); });
}

void ServerCommands::sessionOk(const std::string& payload) {
    auto& link = context_.link;
    if (!link.blnWaiting) {
        return; // the request timed out: the customer was already told
    }
    const auto f = ServerDispatcher::fields(payload);
    const int type = integer(f.at(0));
    if (type == 2 || type == 4 || type == 5) {
        auto& s = context_.workstation.session;
        s.dteRemainingTime = context_.numbers.funStrToDate(f.at(1));
        s.dteValidUntil = context_.numbers.funStrToDate(f.at(2));
        s.blnUnlimited = integer(f.at(3)) != 0;
        s.dteCreditTime += s.dteRemainingTime;
    }
    link.intAnswerCode = 0;
    link.blnWaiting = false;
}

void ServerCommands::sessionNok(const std::string& payload) {
    auto& link = context_.link;
    if (!link.blnWaiting) {
        return;
    }
    link.intAnswerCode = integer(payload);
    link.blnWaiting = false;
}

void ServerCommands::sessionOpen(const std::string& payload) {
    // A login starts by resetting the session record: during a session that would end
    // it unmetered, with the computer left open.
    if (context_.workstation.sessionExists()) {
        context_.log.subWriteLog(
            "frmMain.wskCli_DataArrival: SessionOpen ignored during a session");
        return;
    }
    const auto f = ServerDispatcher::fields(payload);
    const int mode = context_.settings.intDefaultMode == 1 ? Workstation::kConnected
                                                           : Workstation::kDisconnected;
    parts_.login.subStartConnexion(integer(f.at(0)), mode, f.at(2), f.at(1));
}

void ServerCommands::sessionFree() {
    auto& w = context_.workstation;
    w.subUserInit(context_.idleState(), context_.now());
    w.session.intSessionType = Workstation::kFree;
    w.setState(Workstation::kFreeSession);
    parts_.sessionControl.funStartSession();
}

void ServerCommands::rechargeCard(const std::string& payload) {
    const auto f = ServerDispatcher::fields(payload);
    auto& w = context_.workstation;
    auto& s = w.session;
    const double added = context_.numbers.funStrToDate(f.at(0));
    s.dteRemainingTime += added;
    s.dteValidUntil = context_.numbers.funStrToDate(f.at(1));
    s.dteCreditTime += added;
    const double serverTime = context_.now() + w.dteServerOffset;
    const double timeOfDay = std::round(DateSerial::timeOfDay(serverTime) * 86'400.0) / 86'400.0;
    const int ratio = w.tariff.intOffPeakRatio;
    s.dteRemTimeAparent = parts_.amountDue.funIsOffPeak(timeOfDay) && ratio != 0
                              ? s.dteRemainingTime / (ratio / 100.0)
                              : s.dteRemainingTime;
}

void ServerCommands::postPaidMode(const std::string& payload) {
    const auto f = ServerDispatcher::fields(payload);
    auto& t = context_.workstation.tariff;
    t.intBillingMode = integer(f.at(0));
    t.dteIncrement = context_.numbers.funStrToDate(f.at(1));
    t.dteMinimumTime = context_.numbers.funStrToDate(f.at(2));
    t.intRechargeOptim = integer(f.at(3));
    t.dblTariffParam5 = context_.numbers.funStrToDate(f.at(4));
}

void ServerCommands::defaultRecharges(const std::string& payload) {
    // This table is taken as far as it reads; its errors are ignored.
    const auto f = ServerDispatcher::fields(payload);
    auto& recharges = context_.workstation.tariff.udtRecharges;
    if (f.empty()) {
        recharges.clear();
        context_.forms.frmBlock.optSelfService.enabled = false;
        return;
    }
    recharges.assign((f.size() - 1) / 2 + 1, Recharge{});
    for (std::size_t i = 0; i < recharges.size(); ++i) {
        if (2 * i < f.size()) {
            recharges[i].duration = context_.numbers.funStrToDate(f[2 * i]);
        }
        if (2 * i + 1 < f.size()) {
            recharges[i].price = context_.numbers.funStrToSng(f[2 * i + 1]);
        }
    }
}

void ServerCommands::offPeakParams(const std::string& payload) {
    const auto f = ServerDispatcher::fields(payload);
    auto& t = context_.workstation.tariff;
    t.intOffPeakRatio = integer(f.at(0));
    t.dteOffPeakEnd = context_.numbers.funStrToDate(f.at(1));
    t.dteOffPeakStart = context_.numbers.funStrToDate(f.at(2));
}

void ServerCommands::currencySymbol(const std::string& payload) {
    const auto f = ServerDispatcher::fields(payload);
    auto& t = context_.workstation.tariff;
    t.strCurrencySymbol = f.at(0);
    t.strAmountFormat = f.at(1);
}

void ServerCommands::noInternet() {
    auto& w = context_.workstation;
    if (w.intWksnState != Workstation::kConnected || w.session.blnNoInetNotified ||
        context_.forms.frmMsgBox.loaded) {
        return;
    }
    w.session.blnNoInetNotified = true;
    auto& texts = context_.localization;
    parts_.msgBox.subShowMsgBox(texts.funLoadResString(10205) + "\r\n" +
                                    texts.funLoadResString(10206),
                                MsgBox::kButtonsYesNo, MsgBox::kDefaultNo,
                                parts_.msgBox.actionPauseSession(), nullptr, MsgBox::kModeless, 0);
}

void ServerCommands::internetBack() {
    auto& w = context_.workstation;
    if (w.intWksnState == Workstation::kPaused && !context_.forms.frmMsgBox.loaded) {
        auto& texts = context_.localization;
        parts_.msgBox.subShowMsgBox(
            texts.funLoadResString(10207) + "\r\n" + texts.funLoadResString(10208),
            MsgBox::kButtonsYesNo, MsgBox::kDefaultYes, parts_.msgBox.actionUnPauseSession(),
            nullptr, MsgBox::kModeless, 0);
    }
    w.session.blnNoInetNotified = false;
}

void ServerCommands::chatMessage(const std::string& payload) {
    if (context_.workstation.intWksnState < Workstation::kDisconnected) {
        return;
    }
    parts_.statusWindows.receiveChat(payload);
}

} // namespace orvan
