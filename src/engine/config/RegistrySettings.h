#pragma once

#include "platform/SettingsStore.h"

#include <string>

namespace orvan {

class ErrorReporter;

// The five value routines over the two hives. Values come back as text whatever
// their stored type, as the callers convert them themselves; a missing value, or a
// number read that fails, gives the caller's default.
class RegistrySettings {
public:
    static constexpr int REG_SZ = 1;
    static constexpr int REG_BINARY = 3;
    static constexpr int REG_DWORD = 4;

    RegistrySettings(SettingsStore& store, ErrorReporter& errors);

    std::string GetRegSettings(const std::string& appKey, const std::string& section,
                               const std::string& name, const std::string& def, int type);
    std::string GetRegUserSettings(const std::string& appKey, const std::string& section,
                                   const std::string& name, const std::string& def, int type);
    // Throws the pass-on error when the hive cannot be written.
    void SetRegSettings(const std::string& appKey, const std::string& section,
                        const std::string& name, const std::string& value, int type, int size = 4);
    void SetRegUserSettings(const std::string& appKey, const std::string& section,
                            const std::string& name, const std::string& value, int type,
                            int size = 4);
    void DelRegUserSettings(const std::string& appKey, const std::string& section,
                            const std::string& name);

    bool keyExists(Hive hive, const std::string& appKey, const std::string& section);
    bool flush(Hive hive);

    static std::string keyPath(const std::string& appKey, const std::string& section);

private:
    std::string get(Hive hive, const std::string& appKey, const std::string& section,
                    const std::string& name, const std::string& def, int type);
    void set(Hive hive, const std::string& appKey, const std::string& section,
             const std::string& name, const std::string& value, int type);
    void reportStoreProblems(const std::string& location);

    SettingsStore& store_;
    ErrorReporter& errors_;
};

} // namespace orvan
