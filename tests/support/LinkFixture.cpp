#include "support/LinkFixture.h"

#include "wire/DiscoveryMarkers.h"

namespace orvan::test {

LinkFixture::LinkFixture() {
    configured();
}

void LinkFixture::startWatchdog() {
    start();
    fake.time.advance(2'000 + 500);
}

void LinkFixture::connect() {
    startWatchdog();
    fake.udp.answer(std::string{markers::kDiscoveryAnswer}, "192.168.1.2");
    fake.tcp.accept();
    fake.time.advance(500);
}

void LinkFixture::serverSends(const std::string& text) {
    fake.tcp.deliver(text);
}

std::string LinkFixture::msg(const std::string& tag, const std::vector<std::string>& fields) {
    std::string text = tag;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        text += (i > 0 ? kSep : "") + fields[i];
    }
    return text + kEnd;
}

std::string LinkFixture::takeSent() {
    std::string text;
    for (; seen_ < fake.tcp.sent.size(); ++seen_) {
        text += fake.tcp.sent[seen_];
    }
    return text;
}

std::vector<std::string> LinkFixture::sentTags() {
    std::vector<std::string> tags;
    const auto text = takeSent();
    for (std::size_t at = 0; at < text.size();) {
        tags.push_back(text.substr(at, 20));
        const auto end = text.find(kEnd, at);
        if (end == std::string::npos) {
            break;
        }
        at = end + 20;
    }
    return tags;
}

} // namespace orvan::test
