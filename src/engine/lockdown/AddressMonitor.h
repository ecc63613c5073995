#pragma once

#include "lockdown/clsIEURL.h"
#include "lockdown/clsInetexplorer.h"

#include <map>
#include <string>

namespace orvan {

struct EngineContext;
class MessageSender;

// Tells the server the addresses the customer opens during a session: a window is
// reported when it first shows an address and again when both its address and its
// caption have changed.
class AddressMonitor {
public:
    AddressMonitor(EngineContext& context, MessageSender& sender);

    // A new session starts with nothing remembered.
    void newCollection() { remembered_.clear(); }
    // One pass, every 500 ms while a session runs.
    void tmrURLspy_Timer();

    const std::map<std::string, clsIEURL>& remembered() const { return remembered_; }

private:
    static std::string keyOf(std::uint64_t window);
    static bool reportable(const std::string& caption, const std::string& address);
    void consider(const clsIEURL& candidate);
    void report(const clsIEURL& entry);

    EngineContext& context_;
    MessageSender& sender_;
    clsInetexplorer finder_;
    std::map<std::string, clsIEURL> remembered_;
};

} // namespace orvan
