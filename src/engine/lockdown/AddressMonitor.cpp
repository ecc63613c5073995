#include "lockdown/AddressMonitor.h"

#include "base/ErrorReporter.h"
#include "base/Utf8.h"
#include "model/EngineContext.h"
#include "wire/MessageSender.h"
#include "wire/Tags.h"
#include "wire/WireFormat.h"

namespace orvan {

AddressMonitor::AddressMonitor(EngineContext& context, MessageSender& sender)
    : context_(context)
    , sender_(sender)
    , finder_(context.platform.browsers) {}

std::string AddressMonitor::keyOf(std::uint64_t window) {
    return "key: " + std::to_string(window);
}

bool AddressMonitor::reportable(const std::string& caption, const std::string& address) {
    const bool networkPath = address.rfind("\\\\", 0) == 0;
    return (networkPath || address.find('/') != std::string::npos) && Utf8::length(address) > 4 &&
           caption != clsInetexplorer::kLinksPage && address != clsInetexplorer::kLinksPage;
}

void AddressMonitor::tmrURLspy_Timer() {
    context_.errors.trap("frmMain.tmrURLspy_TimerError", OnError::LogOnly, [&] {
        for (auto& [key, entry] : remembered_) {
            entry.StillOpen = false;
        }
        finder_.Refresh();
        for (int i = 1; i <= finder_.Count(); ++i) {
            if (reportable(finder_.ItemCaption(i), finder_.ItemURL(i))) {
                consider({finder_.ItemhWnd(i), finder_.ItemURL(i), finder_.ItemCaption(i), true});
            }
        }
        std::erase_if(remembered_, [](const auto& item) { return !item.second.StillOpen; });
    });
}

void AddressMonitor::consider(const clsIEURL& candidate) {
    const auto key = keyOf(candidate.WindowhWnd);
    const auto found = remembered_.find(key);
    if (found == remembered_.end()) {
        remembered_.emplace(key, candidate);
        report(candidate);
        return;
    }
    auto& known = found->second;
    known.StillOpen = true;
    // A page still loading shows the new address under the old caption: it is
    // reported once both have moved on.
    if (known.Caption != candidate.Caption && known.URL != candidate.URL) {
        known.Caption = candidate.Caption;
        known.URL = candidate.URL;
        report(known);
    }
}

void AddressMonitor::report(const clsIEURL& entry) {
    // A page whose title holds a wire marker is not sent, and must not keep the other
    // windows of the pass from being reported.
    context_.errors.trap("frmMain.tmrURLspy_TimerError", OnError::LogOnly, [&] {
        sender_.funSendData(
            context_.platform.wskCli,
            WireFormat::message(tags::kSessionURL, {std::to_string(entry.WindowhWnd), entry.Caption,
                                                    entry.URL, std::string_view{}}),
            true);
    });
}

} // namespace orvan
