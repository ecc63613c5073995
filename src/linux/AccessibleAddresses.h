#pragma once

#include "AccessibilityBus.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace orvan {

// The addresses of the pages shown by the desktop's programs, as their accessible
// trees tell them: each top-level frame's document (the frame's "embeds" relation)
// and its URL attribute. The cache is kept by the accessibility bus's own signals (a
// page loaded, a title changed, a window opened or closed, a program gone) and a
// re-read every few seconds for what they miss; reading it never waits on the bus.
class AccessibleAddresses {
public:
    struct Options {
        std::uint64_t refreshMicroseconds = 5'000'000;
        // Turns the desktop's accessibility on, a setting of the whole login session.
        bool switchOn = false;
    };

    explicit AccessibleAddresses(Options options);

    int fd() const { return bus_.fd(); }
    void dispatch() { bus_.dispatch(); }
    bool connected() const { return bus_.connected(); }

    // The address shown by the window of this process and title: the frame of that
    // name, or the process's only frame. Empty when unknown.
    std::string address(pid_t pid, const std::string& title) const;
    // Whether a window of this process has been read from the bus.
    bool known(pid_t pid) const;

private:
    struct Frame {
        std::string name;
        std::string address;
    };
    struct Application {
        BusObject root;
        std::uint64_t epoch = 0;
        pid_t pid = 0;
        std::vector<Frame> frames;
        bool reading = false;
        bool again = false;
    };
    // One reading of an application's frames, committed when its last reply is in.
    struct Reading {
        std::string name;
        std::uint64_t epoch = 0;
        std::vector<Frame> frames;
        int waiting = 0;
        bool incomplete = false;
    };
    using Step = std::function<void(sd_bus_message*)>;

    void onConnected();
    void onSignal(sd_bus_message* message);
    void refresh();
    void listApplications();
    void listed(const std::vector<BusObject>& roots);
    void askPid(const std::string& name, std::uint64_t epoch);
    void readApplication(const std::string& name);
    void readFrames(const std::shared_ptr<Reading>& reading, const std::vector<BusObject>& frames);
    void readFrame(const std::shared_ptr<Reading>& reading, std::size_t index,
                   const BusObject& frame);
    void ask(const std::shared_ptr<Reading>& reading, const BusObject& target,
             const char* interface, const char* member, const BusCalls::Arguments& arguments,
             Step then);
    void settle(const std::shared_ptr<Reading>& reading);
    Application* current(const std::string& name, std::uint64_t epoch);

    static std::string nameOf(sd_bus_message* reply);
    static std::optional<BusObject> embedded(sd_bus_message* reply);
    static std::string documentAddress(sd_bus_message* reply);

    std::map<std::string, Application> applications_;
    std::uint64_t epochs_ = 0;
    bool listing_ = false;
    bool listAgain_ = false;
    // Last: its callbacks reach the members above, and it goes first.
    AccessibilityBus bus_;
};

} // namespace orvan
