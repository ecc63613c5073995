#include "support/ClientFixture.h"

#include <sstream>

namespace orvan::test {

ClientFixture::ClientFixture() {
    fake.time.setBoot(5 * 60 * 1000);
}

void ClientFixture::configured() {
    fake.store.putString(kGeneral, "Config Wizard", "1");
    fake.store.write(Hive::User, kGeneral, "Config Wizard", std::string{"1"});
    fake.store.putString(kGeneral, "Current Settings Version", "4");
}

Client& ClientFixture::client() {
    if (!client_) {
        client_ = std::make_unique<Client>(fake.platform());
    }
    return *client_;
}

Client& ClientFixture::start(const std::string& commandLine) {
    client().Main(commandLine);
    return *client_;
}

std::vector<std::string> ClientFixture::logMessages(const std::string& path) const {
    std::vector<std::string> lines;
    const auto text =
        fake.files.read(path.empty() ? std::string{kDataPath} + "/orvanclient.log" : path);
    if (!text) {
        return lines;
    }
    std::istringstream in(*text);
    for (std::string line; std::getline(in, line);) {
        const auto dash = line.find(" - ");
        if (line.rfind("orvanclient ", 0) == 0 && dash != std::string::npos) {
            auto message = line.substr(dash + 3);
            if (!message.empty() && message.back() == '\r') {
                message.pop_back();
            }
            lines.push_back(message);
        }
    }
    return lines;
}

bool ClientFixture::logContains(const std::string& text) const {
    // Before start-up has chosen the log file, lines go beside the program.
    auto lines = logMessages("/program/orvanclient.log");
    for (auto& line : logMessages()) {
        lines.push_back(std::move(line));
    }
    for (const auto& line : lines) {
        if (line.find(text) != std::string::npos) {
            return true;
        }
    }
    return false;
}

} // namespace orvan::test
