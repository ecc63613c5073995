#include "support/MemorySettingsStore.h"

#include <algorithm>
#include <utility>

namespace orvan::test {

std::string MemorySettingsStore::fold(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    return text;
}

SettingRead MemorySettingsStore::read(Hive hive, const std::string& key, const std::string& name) {
    const auto found = values_.find({static_cast<int>(hive), fold(key), fold(name)});
    if (found == values_.end()) {
        return {};
    }
    return {SettingRead::Status::Found, found->second};
}

bool MemorySettingsStore::write(Hive hive, const std::string& key, const std::string& name,
                                const SettingValue& value) {
    if (readOnly_[static_cast<int>(hive)]) {
        return false;
    }
    values_[{static_cast<int>(hive), fold(key), fold(name)}] = value;
    // A key implies its parents.
    auto path = fold(key);
    while (!path.empty()) {
        keys_.insert({static_cast<int>(hive), path});
        const auto cut = path.rfind('\\');
        path = cut == std::string::npos ? std::string{} : path.substr(0, cut);
    }
    return true;
}

bool MemorySettingsStore::keyExists(Hive hive, const std::string& key) {
    return keys_.count({static_cast<int>(hive), fold(key)}) > 0;
}

bool MemorySettingsStore::remove(Hive hive, const std::string& key, const std::string& name) {
    if (readOnly_[static_cast<int>(hive)]) {
        return false;
    }
    values_.erase({static_cast<int>(hive), fold(key), fold(name)});
    return true;
}

bool MemorySettingsStore::flush(Hive hive) {
    ++flushes_[static_cast<int>(hive)];
    return !readOnly_[static_cast<int>(hive)];
}

std::vector<std::string> MemorySettingsStore::takeProblems() {
    return std::exchange(problems_, {});
}

void MemorySettingsStore::setReadOnly(Hive hive, bool readOnly) {
    readOnly_[static_cast<int>(hive)] = readOnly;
}

void MemorySettingsStore::putString(const std::string& key, const std::string& name,
                                    const std::string& value) {
    write(Hive::Machine, key, name, value);
}

void MemorySettingsStore::putDword(const std::string& key, const std::string& name,
                                   std::uint32_t value) {
    write(Hive::Machine, key, name, value);
}

} // namespace orvan::test
