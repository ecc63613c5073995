#pragma once

#include <string>

namespace orvan {

struct EngineContext;
class AppControl;
class ComputerShutdown;
class LockScreen;
class MsgBox;
class ServerDispatcher;
class ServerLink;
class SessionCleanup;
class SessionControl;
class SessionSnapshot;

// The server's commands that control and configure the workstation: the version
// check, disabling, activating, locking and shutting down, the login kinds and usage
// mode offered, message options, passwords, application-control and cleanup options,
// display choices, the interface language and the workstation constants. A handler
// throws on a missing field or a non-number; the dispatcher then disables the link.
class WorkstationCommands {
public:
    // The oldest server this workstation talks to (1.9.300).
    static constexpr long kMinimumServerVersion = 1'009'300;

    struct Parts {
        SessionControl& sessionControl;
        LockScreen& lockScreen;
        MsgBox& msgBox;
        AppControl& appControl;
        SessionCleanup& cleanup;
        SessionSnapshot& snapshot;
        ServerLink& link;
        ComputerShutdown& shutdown;
    };

    WorkstationCommands(EngineContext& context, Parts parts);

    void registerWith(ServerDispatcher& dispatcher);

    // "1.9.300" for 1009300: the number as nine digits, read in groups of three.
    static std::string versionText(long number);

    // Whether the status windows offer the pause button. The windows have no such
    // button yet; the front end reads it from here and lays the buttons out itself.
    bool blnPauseEnabled = false;

private:
    void appVersion(const std::string& payload);
    void disableWksn(const std::string& payload);
    void activateWksn();
    void lockWksn();
    void forceConnected(const std::string& payload);
    void loginKind(const std::string& payload, int sessionType);
    void messageOptions(const std::string& payload);
    void managerPassword(const std::string& payload);
    void killedApps(const std::string& payload);
    void sessionCleanup(const std::string& payload);
    void hideCardNumber(const std::string& payload);
    void defaultMode(const std::string& payload);
    void defaultLanguage(const std::string& payload);
    void msgLogoFilesType(const std::string& payload);
    void runEndBatchAfterSession();
    void saveText(const char* name, const std::string& value);
    void defaultState(const std::string& payload);
    void saveNumber(const char* name, long value);
    int integer(const std::string& text) const;

    EngineContext& context_;
    Parts parts_;
    ServerDispatcher* dispatcher_ = nullptr;
};

} // namespace orvan
