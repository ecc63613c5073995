#include "config/RegistrySettings.h"

#include "base/ErrorReporter.h"
#include "wire/WireNumbers.h"

#include <cmath>
#include <cstdint>

namespace orvan {

RegistrySettings::RegistrySettings(SettingsStore& store, ErrorReporter& errors)
    : store_(store)
    , errors_(errors) {}

std::string RegistrySettings::keyPath(const std::string& appKey, const std::string& section) {
    return "Software\\" + appKey + "\\" + section;
}

void RegistrySettings::reportStoreProblems(const std::string& location) {
    for (auto& problem : store_.takeProblems()) {
        errors_.report(AppError(AppError::kPathFileAccess, problem, "SettingsStore"), location,
                       OnError::LogOnly);
    }
}

std::string RegistrySettings::get(Hive hive, const std::string& appKey, const std::string& section,
                                  const std::string& name, const std::string& def, int type) {
    const auto location =
        std::string{hive == Hive::Machine ? "modINIFileFunctions.GetRegSettingsError"
                                          : "modINIFileFunctions.GetRegUserSettingsError"};
    const auto read = store_.read(hive, keyPath(appKey, section), name);
    reportStoreProblems(location);
    if (!read.found()) {
        return def;
    }
    if (const auto* number = std::get_if<std::uint32_t>(&read.value)) {
        return std::to_string(static_cast<std::int32_t>(*number));
    }
    const auto& text = std::get<std::string>(read.value);
    if (type == REG_DWORD && !WireNumbers{}.parse(text)) {
        return def; // a failed number read
    }
    return text;
}

void RegistrySettings::set(Hive hive, const std::string& appKey, const std::string& section,
                           const std::string& name, const std::string& value, int type) {
    const auto location =
        std::string{hive == Hive::Machine ? "modINIFileFunctions.SetRegSettingsError"
                                          : "modINIFileFunctions.SetRegUserSettingsError"} +
        ": Headding: " + section + " - Key: " + name + " - Value: " + value;
    errors_.trap(location, OnError::PassOn, [&] {
        SettingValue stored = value;
        if (type == REG_DWORD || type == REG_BINARY) {
            const auto number = WireNumbers{}.parse(value);
            const double rounded = number ? std::nearbyint(*number) : 0.0;
            const bool fits = rounded >= -2'147'483'648.0 && rounded <= 4'294'967'295.0;
            stored = static_cast<std::uint32_t>(
                fits ? static_cast<std::int64_t>(rounded) & 0xFFFF'FFFF : 0);
        }
        if (!store_.write(hive, keyPath(appKey, section), name, stored)) {
            throw AppError(AppError::kPathFileAccess, "The settings could not be written");
        }
    });
}

std::string RegistrySettings::GetRegSettings(const std::string& appKey, const std::string& section,
                                             const std::string& name, const std::string& def,
                                             int type) {
    return get(Hive::Machine, appKey, section, name, def, type);
}

std::string RegistrySettings::GetRegUserSettings(const std::string& appKey,
                                                 const std::string& section,
                                                 const std::string& name, const std::string& def,
                                                 int type) {
    return get(Hive::User, appKey, section, name, def, type);
}

void RegistrySettings::SetRegSettings(const std::string& appKey, const std::string& section,
                                      const std::string& name, const std::string& value, int type,
                                      int /*size*/) {
    set(Hive::Machine, appKey, section, name, value, type);
}

void RegistrySettings::SetRegUserSettings(const std::string& appKey, const std::string& section,
                                          const std::string& name, const std::string& value,
                                          int type, int /*size*/) {
    set(Hive::User, appKey, section, name, value, type);
}

void RegistrySettings::DelRegUserSettings(const std::string& appKey, const std::string& section,
                                          const std::string& name) {
    errors_.trap("modINIFileFunctions.DelRegUserSettingsError", OnError::PassOn, [&] {
        if (!store_.remove(Hive::User, keyPath(appKey, section), name)) {
            throw AppError(AppError::kPathFileAccess, "The setting could not be deleted");
        }
    });
}

bool RegistrySettings::keyExists(Hive hive, const std::string& appKey, const std::string& section) {
    return store_.keyExists(hive, keyPath(appKey, section));
}

bool RegistrySettings::flush(Hive hive) {
    return store_.flush(hive);
}

} // namespace orvan
