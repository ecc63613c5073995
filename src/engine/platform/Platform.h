#pragma once

namespace orvan {

class AnsiCodec;
class Browsers;
class Clock;
class Desktop;
class Dialogs;
class FileSystem;
class Mixer;
class Screen;
class SessionTraces;
class SettingsStore;
class Shell;
class ShellLock;
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
    ShellLock& shellLock;     // the shell-lock library's four switches
    Mixer& mixer;             // the sound mixer
    Browsers& browsers;       // the open browser windows and their addresses
    SessionTraces& traces;    // what a customer leaves behind
};

} // namespace orvan
