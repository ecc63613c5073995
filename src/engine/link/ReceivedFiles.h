#pragma once

#include <string>

namespace orvan {

struct EngineContext;
class LockScreen;
class MessageSender;
class ServerDispatcher;

// Files the server pushes: the lock screen's messages and logo, the pictures of the
// server's screen in follow mode, the desktop background, the session batch files and
// a copy of the server's database backup. Each is stored under its fixed name in the
// data folder and its path recorded where the program reads it from.
class ReceivedFiles {
public:
    static constexpr const char* kTempFileName = "received_file.tmp";

    struct Parts {
        LockScreen& lockScreen;
        const MessageSender& sender;
    };

    ReceivedFiles(EngineContext& context, Parts parts);

    // Field 0 the kind, the rest the content (the FileTemp tag when the inbound stream
    // already wrote it to the temporary file), taken as bytes.
    void registerWith(ServerDispatcher& dispatcher);
    // `bytes` is the file as received, stored unchanged. Failures are reported and end
    // the routine; they never reach the dispatcher.
    void subProcessReceivedFile(int kind, const std::string& bytes);

private:
    void store(int kind, const std::string& temp);
    void recordMessagePath(const char* name, std::string& inMemory, const std::string& path);
    bool lockScreenShowsDocuments(int kind) const;

    EngineContext& context_;
    Parts parts_;
};

} // namespace orvan
