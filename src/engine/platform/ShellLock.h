#pragma once

#include <cstdint>
#include <optional>

namespace orvan {

// The lock library beside the program: four switches of the desktop shell, each
// taking one 32-bit value (-1 show or allow, 0 hide or block) and returning one.
class ShellLock {
public:
    enum class Export {
        Taskbar_Show_Hide,
        Desktop_Show_Hide,
        TaskSwitching_Enable_Disable,
        CtrlAltDel_Enable_Disable,
    };

    // The exported symbol of each switch; adapters look it up by this name.
    static constexpr const char* name(Export which) {
        switch (which) {
        case Export::Taskbar_Show_Hide:
            return "Taskbar_Show_Hide";
        case Export::Desktop_Show_Hide:
            return "Desktop_Show_Hide";
        case Export::TaskSwitching_Enable_Disable:
            return "TaskSwitching_Enable_Disable";
        case Export::CtrlAltDel_Enable_Disable:
            return "CtrlAltDel_Enable_Disable";
        }
        return "";
    }

    virtual ~ShellLock() = default;

    // Whether the library itself could be loaded (tells a missing file from a
    // missing export in the error report).
    virtual bool loaded() const = 0;
    // The library's result; nullopt when the library or the export is missing.
    virtual std::optional<std::int32_t> call(Export which, std::int32_t value) = 0;
};

} // namespace orvan
