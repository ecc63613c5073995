#include "link/SessionSnapshot.h"

#include "base/ErrorReporter.h"
#include "base/Log.h"
#include "base/Utf8.h"
#include "config/RegistrySettings.h"
#include "link/StoredSnapshot.h"
#include "lockscreen/LockScreen.h"
#include "model/EngineContext.h"
#include "session/SessionControl.h"
#include "wire/MessageSender.h"
#include "wire/Tags.h"
#include "wire/WireFormat.h"
#include "wire/WireNumbers.h"

namespace orvan {
namespace {

constexpr const char* kGeneral = "General";
constexpr const char* kName = "Serialized User";
constexpr long kStatusTimerMillis = 500;

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string{}
                                      : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

SessionSnapshot::SessionSnapshot(EngineContext& context, Parts parts)
    : context_(context)
    , parts_(parts) {}

std::string SessionSnapshot::read() const {
    auto& registry = context_.registry;
    return context_.settings.blnStandaloneWorkstation
               ? registry.GetRegSettings(context_.strAppKey, kGeneral, kName, "",
                                         RegistrySettings::REG_SZ)
               : registry.GetRegUserSettings(context_.strAppKey, kGeneral, kName, "",
                                             RegistrySettings::REG_SZ);
}

void SessionSnapshot::write(const std::string& value) {
    auto& registry = context_.registry;
    if (context_.settings.blnStandaloneWorkstation) {
        registry.SetRegSettings(context_.strAppKey, kGeneral, kName, value,
                                RegistrySettings::REG_SZ);
    } else {
        registry.SetRegUserSettings(context_.strAppKey, kGeneral, kName, value,
                                    RegistrySettings::REG_SZ);
    }
}

std::string SessionSnapshot::build() const {
    const auto& w = context_.workstation;
    const auto& s = w.session;
    const auto& n = context_.numbers;
    std::string text =
        std::to_string(s.lngSessionID) + "#" + std::to_string(s.intSessionType) + "#" +
        n.funDblToStr(s.dteElapsedTime) + "#" + n.funDblToStr(s.dteConnectedTime) + "#" +
        n.funDblToStr(s.dteCnxTimeOffPeak) + "#" + n.funDblToStr(s.dteDisconnectedTime) + "#" +
        n.funDblToStr(context_.now() + w.dteServerOffset);
    if (s.intSessionType == 1) {
        text += "#" + n.funSngToStr(s.sngUserBalance);
    } else if (s.intSessionType == 2 || s.intSessionType == 4) {
        text += "#" + s.strUserID + "#" +
                n.funDblToStr(s.dteRemainingAtDisconnect - s.dteRemainingTime);
    }
    return text;
}

void SessionSnapshot::subSerializeUser() {
    context_.errors.trap("modFunctions.subSerializeUserError", OnError::LogOnly, [&] {
        ++flushCounter_;
        const int state = context_.workstation.intWksnState;
        if (state > 2 && state != 3) {
            // Exactly 200 characters, cut or padded.
            auto text = std::string{Utf8::left(build(), kLength)};
            text.append(kLength - Utf8::length(text), ' ');
            write(text);
        } else if (context_.link.blnConnected && !kept_) {
            // A kept snapshot waits for a greeting that gets it through: the flag lags
            // behind a closed socket.
            write(std::string(kLength, ' '));
        }
        const long flushEvery =
            context_.constants.wksnRegistryFlushInterval * 1000L / kStatusTimerMillis;
        if (flushCounter_ >= flushEvery) {
            context_.registry.flush(Hive::Machine);
            flushCounter_ = 0;
        }
    });
}

void SessionSnapshot::subInitSerializedUser() {
    std::string stored;
    context_.errors.trap("modFunctions.subInitSerializedUserError", OnError::LogOnly, [&] {
        stored = trimmed(read());
        if (!stored.empty()) {
            try {
                kept_ = !handOver(stored);
                if (kept_) {
                    // Offline usage the server has not heard of: the next greeting tries again.
                    context_.log.subWriteLog("subInitSerializedUser: not sent, kept");
                    return;
                }
            } catch (...) {
                context_.log.subWriteLog("subInitSerializedUser strPostBuffer: '" + stored + "'");
                throw; // reported, and the snapshot stays for the next greeting
            }
        }
        write(std::string(kLength, ' '));
    });
}

bool SessionSnapshot::handOver(const std::string& stored) {
    if (!StoredSnapshot::wellFormed(stored, context_.numbers)) {
        // Not what this program writes: dropped rather than passed on to the server.
        context_.log.subWriteLog("subInitSerializedUser strPostBuffer: '" + stored + "'");
        return true;
    }
    const auto fields = WireFormat::funSplit(stored, "#");
    auto& w = context_.workstation;
    const auto sessionId = context_.numbers.toInteger(fields[0]);
    const bool sameSession = sessionId == w.session.lngSessionID;
    const bool sent = parts_.sender.funSendData(
        context_.platform.wskCli,
        WireFormat::message(tags::kSessionResume, std::to_string(w.intWksnState) + "#" +
                                                      (sameSession ? "1" : "0") + "#" + stored),
        true);
    if (fields[1] == "1" && !sameSession) {
        restorePostpaid(fields, sessionId);
    }
    return sent;
}

void SessionSnapshot::restorePostpaid(const std::vector<std::string>& fields, long sessionId) {
    // The program was restarted during a session paid afterwards: show it ended, with
    // the amount to settle.
    auto& w = context_.workstation;
    auto& s = w.session;
    const auto& n = context_.numbers;
    parts_.sessionControl.subDefaultState();
    s.lngSessionID = sessionId;
    s.intSessionType = Workstation::kSelfServicePostpaid;
    w.setState(Workstation::kSessionEnded);
    s.dteElapsedTime = n.funStrToDate(fields.at(2));
    s.dteConnectedTime = n.funStrToDate(fields.at(3));
    s.dteCnxTimeOffPeak = n.funStrToDate(fields.at(4));
    s.dteDisconnectedTime = n.funStrToDate(fields.at(5));
    s.sngUserBalance = n.funStrToSng(fields.at(7));
    parts_.lockScreen.refresh();
}

void SessionSnapshot::subEmptySerializedUser() {
    context_.errors.trap("modFunctions.subEmptySerializedUserError", OnError::LogOnly, [&] {
        write("");
        kept_ = false;
    });
}

} // namespace orvan
