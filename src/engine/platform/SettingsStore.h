#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace orvan {

enum class Hive { Machine, User };

// A stored value: text (the registry's string type) or a 32-bit number (its DWORD type).
using SettingValue = std::variant<std::string, std::uint32_t>;

struct SettingRead {
    enum class Status { Found, Missing };
    Status status = Status::Missing;
    SettingValue value;

    bool found() const { return status == Status::Found; }
};

// Two hives of keys ("Software\OrvanetixClient\General") holding named, typed values.
// Key and value names compare without regard to case, as the registry does.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual SettingRead read(Hive hive, const std::string& key, const std::string& name) = 0;
    // Creates the key when missing. False when the hive cannot be written.
    virtual bool write(Hive hive, const std::string& key, const std::string& name,
                       const SettingValue& value) = 0;
    virtual bool keyExists(Hive hive, const std::string& key) = 0;
    // Removing a value that does not exist succeeds.
    virtual bool remove(Hive hive, const std::string& key, const std::string& name) = 0;
    // Makes every write so far durable.
    virtual bool flush(Hive hive) = 0;

    // What could not be read from the backing store (garbled lines, unreadable
    // files) since the last call; each entry is one line for the log.
    virtual std::vector<std::string> takeProblems() = 0;
};

} // namespace orvan
