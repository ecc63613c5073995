#pragma once

#include "HiveDocument.h"
#include "HiveLock.h"
#include "platform/SettingsStore.h"

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>
#include <vector>

namespace orvan {

// Keeps each hive in a text file of registry-export format. Other client processes
// may share the files: every change is a locked read-modify-write that replaces the
// file by rename, so no write is lost and no reader sees half a file.
class RegistryFileStore : public SettingsStore {
public:
    RegistryFileStore(std::string machineHiveFile, std::string userHiveFile);

    SettingRead read(Hive hive, const std::string& key, const std::string& name) override;
    bool write(Hive hive, const std::string& key, const std::string& name,
               const SettingValue& value) override;
    bool keyExists(Hive hive, const std::string& key) override;
    bool remove(Hive hive, const std::string& key, const std::string& name) override;
    bool flush(Hive hive) override;
    std::vector<std::string> takeProblems() override;

private:
    struct HiveFile {
        std::string path;
        std::string root;
        // The bytes `document` was parsed from; absent while the file does not exist.
        // Re-parsing only when they change keeps a bad line from being reported
        // on every read.
        std::optional<std::string> text;
        HiveDocument document;
        bool garbled = false;       // `text` has lines that `document` leaves out
        std::optional<mode_t> mode; // permissions to keep when replacing the file
        // Which file `text` was read from, and whether that is known to be all of it.
        struct stat seen {};
        bool seenSettled = false;
        std::string readFailure; // the read failure last reported, to report it once
        bool lockStuck = false;  // the lock was busy for a whole bound
    };

    HiveFile& file(Hive hive);
    // Whether the file is still the one `document` was read from, so that reading it
    // again would give nothing new; a stat costs far less than a locked read.
    static bool unchanged(const HiveFile& hive);
    // A shared lock and load(), skipped both while the file is unchanged.
    bool refresh(HiveFile& hive);
    // Brings `document` up to date with the file. False when the file exists but
    // cannot be read.
    bool load(HiveFile& hive);
    // Applies `change` under the exclusive lock; `change` returns whether it changed
    // anything, and the file is rewritten only then.
    bool modify(Hive hive, const std::function<bool(HiveDocument&)>& change);
    bool replace(const HiveFile& hive, const std::string& text);
    // The lock for one operation, waited for within a bound rather than freeze the
    // client; one not had in time is reported, and not waited for again until had.
    // A reader then reads without it (the file is replaced whole); a writer fails, since
    // writing unlocked could lose another process's write.
    HiveLock lock(HiveFile& hive, bool exclusive);

    std::mutex mutex_;
    HiveFile machine_;
    HiveFile user_;
    std::vector<std::string> problems_;
};

} // namespace orvan
