#pragma once

#include <string>
#include <vector>

namespace orvan {

struct EngineContext;
class LockScreen;
class MessageSender;
class SessionControl;

// A one-line snapshot of the session's counters, kept in the settings while the server
// cannot hear, and handed to it when the link comes back; a session paid afterwards
// comes back on screen after a restart so that it can be settled.
class SessionSnapshot {
public:
    static constexpr std::size_t kLength = 200;

    struct Parts {
        const MessageSender& sender;
        SessionControl& sessionControl;
        LockScreen& lockScreen;
    };

    SessionSnapshot(EngineContext& context, Parts parts);

    void subSerializeUser();
    void subInitSerializedUser();
    void subEmptySerializedUser();

    // The snapshot of the current session (not padded).
    std::string build() const;

private:
    std::string read() const;
    // False when the send failed and the snapshot must stay; a snapshot that fails the
    // check is logged and dropped (true: nothing worth keeping).
    bool handOver(const std::string& stored);
    void restorePostpaid(const std::vector<std::string>& fields, long sessionId);
    void write(const std::string& value);

    EngineContext& context_;
    Parts parts_;
    int flushCounter_ = 0;
    bool kept_ = false; // the stored snapshot could not be handed over yet
};

} // namespace orvan
