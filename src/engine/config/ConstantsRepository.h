#pragma once

#include "model/ConstWksn.h"

#include <string>
#include <vector>

namespace orvan {

class ErrorReporter;
class RegistrySettings;
class WireNumbers;

// Reads and writes the workstation constants in section "Constants" of the machine
// hive, and takes the server's update of them.
class ConstantsRepository {
public:
    static constexpr const char* kSection = "Constants";
    static constexpr std::size_t kFieldCount = 21;

    ConstantsRepository(RegistrySettings& registry, ErrorReporter& errors,
                        const WireNumbers& numbers, std::string appKey);

    // Every constant with its default where the stored value is missing or unreadable.
    void subGetConstWksn(ConstWksn& record);
    // Writes every constant back; passes a write failure on.
    void subSetConstWksn(const ConstWksn& record);
    // The server's 21 fields in table order: stores each into `record`, writes the
    // record and derives the flags. With fewer fields the ones present are stored and
    // a subscript error is thrown before anything is written; a field that is not a
    // number throws a conversion error.
    void applyServerFields(ConstWksn& record, const std::vector<std::string>& fields);

private:
    RegistrySettings& registry_;
    ErrorReporter& errors_;
    const WireNumbers& numbers_;
    std::string appKey_;
};

} // namespace orvan
