#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace orvan {

class FileSystem;

// Joins the server's bytes into whole messages and hands them on one at a time, in
// order. Bytes are ANSI text as received (one byte per character; tags are ASCII).
//
// A message whose unfinished part has outgrown the threshold when new bytes arrive is
// not kept in memory: its payload is streamed into the temporary payload file and the
// dispatcher receives a stand-in message (its header, the FileTemp tag, the end tag).
//
// Work is linear in the bytes received: the end tag is searched once per byte (plus at
// most 19 bytes per arrival where a tag may straddle two arrivals), consumed messages
// are skipped with a read offset rather than erased one by one, and while storing only
// the last 19 payload bytes are held back in memory.
//
// A stored payload that outgrows its cap is dropped: the file goes, the rest of the
// payload is only scanned for its end tag, and the link carries on behind it.
class InboundStream {
public:
    struct Hooks {
        // One complete message, end tag included. The view is valid during the call only.
        std::function<void(std::string_view message)> dispatch;
        // The link was disabled for good: nothing more is dispatched.
        std::function<bool()> disabled;
        // Called only when debug is on; the line carries raw ANSI bytes of the message.
        std::function<void(const std::string&)> debugLine;
        // Always written; the line may carry raw ANSI bytes of the message's tag.
        std::function<void(const std::string&)> logLine;
    };

    static constexpr long kDefaultThreshold = 50000;
    // Well above any file the server sends (the database backup is the largest), yet a
    // server that never sends the end tag cannot fill the disk of the data folder.
    static constexpr std::uint64_t kMaxStoredPayload = std::uint64_t{1} << 30;

    InboundStream(FileSystem& files, Hooks hooks);

    void setTempFilePath(std::string path) { tempFile_ = std::move(path); }
    void setThreshold(long characters) { threshold_ = characters; }
    void setPayloadCap(std::uint64_t bytes) { payloadCap_ = bytes; }
    void setDebug(bool on) { debug_ = on; }

    // One arrival of bytes. The caller sets the heartbeat time first. A throwing dispatch
    // or a failed write propagates; the stream stays consistent (the dispatched message
    // is consumed, the rest stays pending) so the next arrival carries on.
    void onData(std::string_view chunk);

    bool storing() const { return storing_; }
    // Received bytes not yet dispatched (empty while a payload is being stored).
    std::size_t pendingSize() const { return buffer_.size() - read_; }

private:
    void appendPending(std::string_view chunk);
    void cutMessages();
    void startStorage(std::string_view chunk);
    void continueStorage(std::string_view chunk);
    void finishStorage();
    std::size_t storePiece(std::string_view data, std::size_t searchFrom);
    void writeJoined(std::string_view first, std::string_view second);
    void dropPayload();
    void dispatchSubstitute();
    void debug(const std::string& line) const;
    bool disabled() const { return hooks_.disabled && hooks_.disabled(); }

    FileSystem& files_;
    Hooks hooks_;
    std::string tempFile_;
    long threshold_ = kDefaultThreshold;
    std::uint64_t payloadCap_ = kMaxStoredPayload;
    bool debug_ = false;

    // Pending bytes are buffer_[read_, end). No end tag starts in [read_, scanned_).
    std::string buffer_;
    std::size_t read_ = 0;
    std::size_t scanned_ = 0;

    bool storing_ = false;
    // Over its cap: the payload is scanned for its end tag but no longer written.
    bool dropping_ = false;
    std::uint64_t storedBytes_ = 0;
    std::string header_;
    // The payload's last bytes, not yet written: they may be the start of the end tag.
    std::string tail_;
    std::string scratch_;
};

} // namespace orvan
