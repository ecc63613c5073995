#pragma once

// The library's exports, as the client sees them.
#include <cstdint>

extern "C" {
std::int32_t Taskbar_Show_Hide(std::int32_t flag);
std::int32_t Desktop_Show_Hide(std::int32_t flag);
std::int32_t TaskSwitching_Enable_Disable(std::int32_t flag);
std::int32_t CtrlAltDel_Enable_Disable(std::int32_t flag);
std::int32_t WinLock_SetLockWindows(void* connection, const std::uint32_t* windows,
                                    std::int32_t count);
void WinLock_SetLogSink(void (*sink)(const char* line));
}
