#include "config/ConstantsRepository.h"

#include "base/ErrorReporter.h"
#include "base/TimeFormat.h"
#include "config/RegistrySettings.h"
#include "wire/WireNumbers.h"

#include <variant>

namespace orvan {
namespace {

enum class Kind { Text, Number, Minutes, Switch };

struct Field {
    const char* name;
    Kind kind;
    int bits;
    std::variant<std::string ConstWksn::*, long ConstWksn::*, int ConstWksn::*, double ConstWksn::*>
        member;
};

// In the order of the server's message, which is also the order they are written.
const Field kFields[ConstantsRepository::kFieldCount] = {
    {"cnxBroardcastAdr", Kind::Text, 0, &ConstWksn::cnxBroardcastAdr},
    {"cnxMinSizeTmpFileStore", Kind::Number, 32, &ConstWksn::cnxMinSizeTmpFileStore},
    {"cnxUdpPortServer", Kind::Number, 16, &ConstWksn::cnxUdpPortServer},
    {"cnxUdpPortWksn", Kind::Number, 16, &ConstWksn::cnxUdpPortWksn},
    {"genAdminLogon", Kind::Text, 0, &ConstWksn::genAdminLogon},
    {"genCurrencySymb", Kind::Text, 0, &ConstWksn::genCurrencySymb},
    {"genScrCapCompressRatio", Kind::Number, 16, &ConstWksn::genScrCapCompressRatio},
    {"wksnActivateDelayTime", Kind::Minutes, 0, &ConstWksn::wksnActivateDelayTime},
    {"wksnCheckSamePcAsServer", Kind::Switch, 16, &ConstWksn::wksnCheckSamePcAsServer},
    {"wksnCnxBootDelay", Kind::Number, 32, &ConstWksn::wksnCnxBootDelay},
    {"wksnCnxMinDelay", Kind::Number, 32, &ConstWksn::wksnCnxMinDelay},
    {"wksnDisableSessCloseButton", Kind::Switch, 16, &ConstWksn::wksnDisableSessCloseButton},
    {"wksnHeartBeatCheck", Kind::Number, 16, &ConstWksn::wksnHeartBeatCheck},
    {"wksnHideAllStatusWin", Kind::Switch, 16, &ConstWksn::wksnHideAllStatusWin},
    {"wksnMaxNumUseAtempts", Kind::Number, 16, &ConstWksn::wksnMaxNumUseAtempts},
    {"wksnMuteVolWhenBlocked", Kind::Switch, 16, &ConstWksn::wksnMuteVolWhenBlocked},
    {"wksnRebootOnSessionEnd", Kind::Switch, 16, &ConstWksn::wksnRebootOnSessionEnd},
    {"wksnRegistryFlushInterval", Kind::Number, 16, &ConstWksn::wksnRegistryFlushInterval},
    {"wksnSessionExpiryTime", Kind::Minutes, 0, &ConstWksn::wksnSessionExpiryTime},
    {"wksnShutdownDelay", Kind::Number, 16, &ConstWksn::wksnShutdownDelay},
    {"wksnStartDelay", Kind::Number, 32, &ConstWksn::wksnStartDelay},
};

void assignInteger(ConstWksn& record, const Field& field, long value) {
    if (const auto* wide = std::get_if<long ConstWksn::*>(&field.member)) {
        record.*(*wide) = value;
    } else {
        record.*std::get<int ConstWksn::*>(field.member) = static_cast<int>(value);
    }
}

long integerOf(const ConstWksn& record, const Field& field) {
    if (const auto* wide = std::get_if<long ConstWksn::*>(&field.member)) {
        return record.*(*wide);
    }
    return record.*std::get<int ConstWksn::*>(field.member);
}

} // namespace

ConstantsRepository::ConstantsRepository(RegistrySettings& registry, ErrorReporter& errors,
                                         const WireNumbers& numbers, std::string appKey)
    : registry_(registry)
    , errors_(errors)
    , numbers_(numbers)
    , appKey_(std::move(appKey)) {}

void ConstantsRepository::subGetConstWksn(ConstWksn& record) {
    const ConstWksn defaults;
    for (const auto& field : kFields) {
        // Each value on its own: an unreadable one keeps its default, the rest still load.
        errors_.trap(
            std::string{"modGlobalFunctions.subGetConstWksnError: "} + field.name, OnError::LogOnly,
            [&] {
                switch (field.kind) {
                case Kind::Text: {
                    const auto member = std::get<std::string ConstWksn::*>(field.member);
                    record.*member = registry_.GetRegSettings(
                        appKey_, kSection, field.name, defaults.*member, RegistrySettings::REG_SZ);
                    break;
                }
                case Kind::Minutes: {
                    const auto member = std::get<double ConstWksn::*>(field.member);
                    record.*member = defaults.*member;
                    const auto minutes = registry_.GetRegSettings(
                        appKey_, kSection, field.name,
                        std::to_string(TimeFormat::wholeMinutes(defaults.*member)),
                        RegistrySettings::REG_SZ);
                    record.*member = static_cast<double>(numbers_.toInteger(minutes)) / 1440.0;
                    break;
                }
                case Kind::Number:
                case Kind::Switch: {
                    assignInteger(record, field, integerOf(defaults, field));
                    const auto text = registry_.GetRegSettings(
                        appKey_, kSection, field.name, std::to_string(integerOf(defaults, field)),
                        field.kind == Kind::Switch ? RegistrySettings::REG_DWORD
                                                   : RegistrySettings::REG_SZ);
                    assignInteger(record, field, numbers_.toInteger(text, field.bits));
                    break;
                }
                }
            });
    }
    record.clampLimits();
    record.deriveFlags();
}

void ConstantsRepository::subSetConstWksn(const ConstWksn& record) {
    errors_.trap("modGlobalFunctions.subSetConstWksnError", OnError::PassOn, [&] {
        for (const auto& field : kFields) {
            switch (field.kind) {
            case Kind::Text:
                registry_.SetRegSettings(appKey_, kSection, field.name,
                                         record.*std::get<std::string ConstWksn::*>(field.member),
                                         RegistrySettings::REG_SZ);
                break;
            case Kind::Minutes:
                registry_.SetRegSettings(appKey_, kSection, field.name,
                                         std::to_string(TimeFormat::wholeMinutes(
                                             record.*std::get<double ConstWksn::*>(field.member))),
                                         RegistrySettings::REG_SZ);
                break;
            case Kind::Number:
            case Kind::Switch:
                registry_.SetRegSettings(appKey_, kSection, field.name,
                                         std::to_string(integerOf(record, field)),
                                         field.kind == Kind::Switch ? RegistrySettings::REG_DWORD
                                                                    : RegistrySettings::REG_SZ);
                break;
            }
        }
    });
}

void ConstantsRepository::applyServerFields(ConstWksn& record,
                                            const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        if (i >= fields.size()) {
            throw AppError(AppError::kSubscriptOutOfRange, "Subscript out of range");
        }
        const auto& field = kFields[i];
        switch (field.kind) {
        case Kind::Text:
            record.*std::get<std::string ConstWksn::*>(field.member) = fields[i];
            break;
        case Kind::Minutes: {
            const auto days = numbers_.parse(fields[i]);
            if (!days) {
                throw AppError(AppError::kTypeMismatch, "Type mismatch");
            }
            record.*std::get<double ConstWksn::*>(field.member) = *days;
            break;
        }
        case Kind::Number:
        case Kind::Switch:
            assignInteger(record, field, numbers_.toInteger(fields[i], field.bits));
            // At once: a message cut short keeps what it stored so far.
            record.clampLimits();
            break;
        }
    }
    subSetConstWksn(record);
    record.deriveFlags();
}

} // namespace orvan
