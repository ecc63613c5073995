#pragma once

#include "platform/Platform.h"
#include "support/DoubleByteCodec.h"
#include "support/FakeMixer.h"
#include "support/FakeSystemInfo.h"
#include "support/FakeTcpSocket.h"
#include "support/FakeUdpSocket.h"
#include "support/FixedScreen.h"
#include "support/Latin1Codec.h"
#include "support/MemoryFileSystem.h"
#include "support/MemorySettingsStore.h"
#include "support/RecordingShell.h"
#include "support/RecordingShellLock.h"
#include "support/RecordingTraces.h"
#include "support/ScriptedBrowsers.h"
#include "support/ScriptedDesktop.h"
#include "support/ScriptedDialogs.h"
#include "support/VirtualTime.h"

namespace orvan::test {

// One fake of every port, wired into the engine's Platform.
struct FakePlatform {
    VirtualTime time;
    MemorySettingsStore store;
    FakeSystemInfo system;
    Latin1Codec codec;
    // Set before the client is built: the code page is then a double-byte one.
    DoubleByteCodec doubleByteCodec;
    bool doubleBytePage = false;
    MemoryFileSystem files;
    ScriptedDialogs dialogs;
    RecordingShell shell;
    FixedScreen screen;
    ScriptedDesktop desktop;
    FakeTcpSocket tcp;
    FakeUdpSocket udp;
    RecordingShellLock shellLock;
    FakeMixer mixer;
    ScriptedBrowsers browsers;
    RecordingTraces traces;

    Platform platform() {
        const AnsiCodec& ansi =
            doubleBytePage ? static_cast<const AnsiCodec&>(doubleByteCodec) : codec;
        return Platform{time,   time,    store, system, ansi,      files, dialogs,  shell,
                        screen, desktop, tcp,   udp,    shellLock, mixer, browsers, traces};
    }
};

} // namespace orvan::test
