#pragma once

#include "support/ClientFixture.h"

#include <string>

namespace orvan::test {

// A client for the settings dialogs, with readers of what they stored.
class DialogFixture : public ClientFixture {
protected:
    // A stored value as text (numbers as their digits); empty when missing.
    std::string stored(Hive hive, const std::string& key, const std::string& name);
    std::string machine(const std::string& key, const std::string& name) {
        return stored(Hive::Machine, key, name);
    }
    std::string user(const std::string& key, const std::string& name) {
        return stored(Hive::User, key, name);
    }
    // Runs the connection timers until the client has asked to connect.
    void letTheLinkStart();
};

} // namespace orvan::test
