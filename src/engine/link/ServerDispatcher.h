#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace orvan {

struct EngineContext;

// The single entry point for everything the server sends: cuts the text into
// messages, finds each message's handler by its 20-character tag and runs it. A
// handler that fails ends the dispatch and disables the link; unknown tags are
// ignored.
class ServerDispatcher {
public:
    using Handler = std::function<void(const std::string& payload)>;
    using Disable = std::function<void(const std::string& reason)>;

    ServerDispatcher(EngineContext& context, Disable disable);

    void add(std::string_view tag, Handler handler);
    // A handler that takes its payload as the bytes received (files): never converted
    // through the code page, which is not byte-exact on double-byte pages.
    void addBytes(std::string_view tag, Handler handler);

    // Text of one or more complete messages, end tags included.
    void subProcessServerData(std::string_view text);
    // The same from the inbound stream: ANSI bytes, converted here except for the
    // payloads of byte handlers.
    void subProcessServerBytes(std::string_view bytes);
    // The version check drops whatever follows in the same call.
    void stopDispatch() { stopped_ = true; }

    // The payload's fields (a trailing separator adds none).
    static std::vector<std::string> fields(const std::string& payload);

private:
    void dispatchAll(std::string_view input, bool bytes);
    // One message without its end tag; false when its handler failed.
    bool dispatch(std::string_view message, bool bytes);
    // Runs one handler; false when it failed (reported, and the dispatch ends).
    bool run(const Handler& handler, std::string_view tag, const std::string& payload, bool bytes);
    void failed(const std::exception& error, std::string_view tag, std::string_view payload);

    EngineContext& context_;
    Disable disable_;
    std::map<std::string, Handler, std::less<>> handlers_;
    std::map<std::string, Handler, std::less<>> byteHandlers_;
    bool stopped_ = false;
};

} // namespace orvan
