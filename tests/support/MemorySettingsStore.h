#pragma once

#include "platform/SettingsStore.h"

#include <map>
#include <set>
#include <string>
#include <tuple>

namespace orvan::test {

// Settings kept in memory; a hive can be made read-only to test failing writes.
class MemorySettingsStore : public SettingsStore {
public:
    SettingRead read(Hive hive, const std::string& key, const std::string& name) override;
    bool write(Hive hive, const std::string& key, const std::string& name,
               const SettingValue& value) override;
    bool keyExists(Hive hive, const std::string& key) override;
    bool remove(Hive hive, const std::string& key, const std::string& name) override;
    bool flush(Hive hive) override;
    std::vector<std::string> takeProblems() override;

    void setReadOnly(Hive hive, bool readOnly);
    void addProblem(std::string problem) { problems_.push_back(std::move(problem)); }
    int flushes(Hive hive) const { return flushes_[static_cast<int>(hive)]; }
    std::size_t valueCount() const { return values_.size(); }

    // Shortcuts for tests, in the machine hive.
    void putString(const std::string& key, const std::string& name, const std::string& value);
    void putDword(const std::string& key, const std::string& name, std::uint32_t value);

private:
    using Id = std::tuple<int, std::string, std::string>;
    static std::string fold(std::string text);

    std::map<Id, SettingValue> values_;
    std::set<std::pair<int, std::string>> keys_;
    bool readOnly_[2] = {false, false};
    int flushes_[2] = {0, 0};
    std::vector<std::string> problems_;
};

} // namespace orvan::test
