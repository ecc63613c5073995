#pragma once

#include "platform/SettingsStore.h"

#include <string>
#include <string_view>
#include <vector>

namespace orvan {

// The keys and values of one hive file, held in the order they were first written.
// Key paths and value names compare without regard to ASCII case but keep the
// spelling they were first written with.
class HiveDocument {
public:
    // Backslash-separated, no empty components, no control characters, valid UTF-8:
    // anything else could not be written to a section header and read back.
    static bool isValidKey(std::string_view key);

    // Reads what can be understood of the file's text; every line that cannot be
    // understood is skipped and described in `problems` (prefixed by `path` and
    // the line number). `root` is the hive's name in section headers.
    static HiveDocument parse(std::string_view text, std::string_view root, const std::string& path,
                              std::vector<std::string>& problems);

    std::string format(std::string_view root) const;

    // Null when the key or the value does not exist.
    const SettingValue* find(std::string_view key, std::string_view name) const;
    // True also for a parent of a stored key.
    bool keyExists(std::string_view key) const;
    // False when the value was already stored exactly so.
    bool set(std::string_view key, std::string_view name, const SettingValue& value);
    // False when there was nothing to remove.
    bool remove(std::string_view key, std::string_view name);

private:
    struct Value {
        std::string name;
        SettingValue data;
    };
    struct Key {
        std::string path;
        std::vector<Value> values;
    };

    Key* findKey(std::string_view key);
    const Key* findKey(std::string_view key) const;
    Key& addKey(std::string_view key);

    std::vector<Key> keys_;
};

} // namespace orvan
