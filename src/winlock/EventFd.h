#pragma once

namespace orvan::winlock {

// A descriptor that becomes readable once signalled: wakes a thread out of poll().
class EventFd {
public:
    EventFd();
    ~EventFd();
    EventFd(const EventFd&) = delete;
    EventFd& operator=(const EventFd&) = delete;

    bool valid() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    void signal() const;
    // Makes it unreadable again until the next signal.
    void clear() const;

private:
    int fd_;
};

} // namespace orvan::winlock
