#pragma once

#include "support/ClientFixture.h"

#include <string>
#include <vector>

namespace orvan::test {

// A configured client whose link to the server the test drives through the fake
// sockets, with helpers that speak the server's side of the wire in literal tags.
class LinkFixture : public ClientFixture {
protected:
    static constexpr const char* kEnd = "%$&######MessageEnd#";
    static constexpr const char* kSep = "%$&####PayloadToken#";

    LinkFixture();

    // Runs the first-connection delay and one watchdog tick.
    void startWatchdog();
    // Discovery answered, the connection accepted and greeted.
    void connect();
    // The server sends raw wire text.
    void serverSends(const std::string& text);
    // One message from literal tag and fields.
    static std::string msg(const std::string& tag, const std::vector<std::string>& fields = {});
    // Tags (20 characters each) of the messages sent since the last call.
    std::vector<std::string> sentTags();
    // Everything sent since the last call, and forget it.
    std::string takeSent();

    std::size_t seen_ = 0;
};

} // namespace orvan::test
