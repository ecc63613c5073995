#pragma once

namespace orvan {

class AnsiCodec;
class Clock;
class Desktop;
class Dialogs;
class FileSystem;
class Screen;
class SettingsStore;
class Shell;
class SystemInfo;
class TcpSocket;
class Timers;
class UdpSocket;

// The ports the engine is built on; the application hands in the real adapters,
// the tests their fakes.
struct Platform {
    Clock& clock;
    Timers& timers;
    SettingsStore& store;
    const SystemInfo& system;
    const AnsiCodec& codec;
    FileSystem& files;
    Dialogs& dialogs;
    Shell& shell;
    const Screen& screen;
    Desktop& desktop;
    TcpSocket& wskCli;        // the link to the server
    UdpSocket& wskFindServer; // server discovery
};

} // namespace orvan
