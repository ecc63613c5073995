#include "link/InboundStream.h"

#include "base/AppError.h"
#include "platform/FileSystem.h"
#include "wire/Tags.h"

#include <algorithm>
#include <array>

namespace orvan {

namespace {

constexpr auto npos = std::string_view::npos;
// Bytes that may be the start of an end tag still to be completed by the next arrival.
constexpr std::size_t kHold = tags::kTagLength - 1;
// A buffer this large is given back once everything in it has been dispatched.
constexpr std::size_t kKeepCapacity = std::size_t{1} << 20;
constexpr std::size_t kDebugChars = 300;

} // namespace

InboundStream::InboundStream(FileSystem& files, Hooks hooks)
    : files_(files)
    , hooks_(std::move(hooks)) {}

void InboundStream::onData(std::string_view chunk) {
    if (disabled()) {
        return;
    }
    if (storing_) {
        continueStorage(chunk);
        return;
    }
    // Whole messages that followed a stored payload waited for this arrival. They go
    // first, so that only an unfinished message is weighed against the threshold: one
    // stored per arrival would let them pile up in memory and be stored as payloads.
    try {
        cutMessages();
    } catch (...) {
        appendPending(chunk);
        throw;
    }
    if (disabled()) {
        return;
    }
    // Decided on what was pending before this chunk: one big arrival is cut in memory.
    if (pendingSize() > static_cast<std::size_t>(std::max(0L, threshold_))) {
        startStorage(chunk);
        return;
    }
    appendPending(chunk);
    cutMessages();
}

void InboundStream::appendPending(std::string_view chunk) {
    if (read_ == buffer_.size()) {
        if (buffer_.capacity() > kKeepCapacity) {
            std::string{}.swap(buffer_);
        }
        buffer_.clear();
        read_ = scanned_ = 0;
    } else if (read_ > buffer_.size() / 2) {
        // Moves fewer bytes than were consumed since the last move: linear overall.
        buffer_.erase(0, read_);
        scanned_ -= read_;
        read_ = 0;
    }
    buffer_.append(chunk);
}

void InboundStream::cutMessages() {
    while (read_ < buffer_.size()) {
        if (disabled()) {
            return;
        }
        const auto at = buffer_.find(tags::kMessageEnd, std::max(scanned_, read_));
        if (at == npos) {
            scanned_ = std::max(read_, buffer_.size() >= kHold ? buffer_.size() - kHold : 0);
            return;
        }
        const auto end = at + tags::kMessageEnd.size();
        const std::string_view message(buffer_.data() + read_, end - read_);
        // Consumed before the call: a throwing handler must not see it again.
        read_ = scanned_ = end;
        if (debug_ && message.substr(0, tags::kTagLength) != tags::kServerHeartBeat) {
            debug("wskCli_DataArrival.ProcessServerData: " +
                  std::string{message.substr(0, kDebugChars)});
        }
        if (hooks_.dispatch) {
            hooks_.dispatch(message);
        }
    }
}

void InboundStream::startStorage(std::string_view chunk) {
    debug("wskCli_DataArrival: BEGIN TempFileStorage");
    const std::string_view pending(buffer_.data() + read_, pendingSize());

    // The header is the tag; a file also keeps its kind, up to the first separator.
    // Only a separator before the message's end tag counts.
    std::size_t headerLength = std::min(tags::kTagLength, pending.size());
    const auto known = scanned_ - read_;
    const auto endAt = pending.find(tags::kMessageEnd, std::max(known, headerLength));
    if (pending.substr(0, tags::kTagLength) == tags::kFileSend) {
        const auto separator = pending.substr(0, endAt).find(tags::kPayloadToken, tags::kTagLength);
        if (separator != npos) {
            headerLength = separator + tags::kPayloadToken.size();
        }
    }
    const auto content = pending.substr(headerLength);
    // The search above already covered the content; resume where it stopped.
    const auto searchFrom = endAt == npos ? content.size() : endAt - headerLength;

    std::size_t after = npos;
    bool endedInPending = false;
    tail_.clear();
    dropping_ = false;
    storedBytes_ = 0;
    header_.assign(pending.substr(0, headerLength));
    try {
        files_.remove(tempFile_);
        if (!files_.append(tempFile_, {})) {
            throw AppError(AppError::kPathFileAccess, "The received file could not be created");
        }
        after = storePiece(content, searchFrom);
        endedInPending = after != npos;
        if (!endedInPending) {
            after = storePiece(chunk, 0);
        }
    } catch (...) {
        // Storage not entered: keep every byte in memory and try again next arrival.
        tail_.clear();
        dropping_ = false;
        appendPending(chunk);
        throw;
    }

    storing_ = true;
    if (after == npos) {
        // Only the held-back tail stays in memory from here on.
        std::string{}.swap(buffer_);
        read_ = scanned_ = 0;
        return;
    }
    if (endedInPending) {
        // onData cuts whole messages before storage starts; should one still be pending,
        // the first end tag closes the stored message.
        buffer_.erase(0, read_ + headerLength + after);
        buffer_.append(chunk);
    } else {
        buffer_.assign(chunk.substr(after));
    }
    read_ = scanned_ = 0;
    finishStorage();
}

void InboundStream::continueStorage(std::string_view chunk) {
    const auto after = storePiece(chunk, 0);
    if (after == npos) {
        return;
    }
    buffer_.assign(chunk.substr(after));
    read_ = scanned_ = 0;
    finishStorage();
}

void InboundStream::finishStorage() {
    storing_ = false;
    tail_.clear();
    std::string{}.swap(scratch_);
    const bool dropped = dropping_;
    dropping_ = false;
    storedBytes_ = 0;
    debug("wskCli_DataArrival: END TempFileStorage");
    // What followed the end tag waits for the next arrival, as it always has.
    if (dropped) {
        return;
    }
    if (disabled() || !hooks_.dispatch) {
        files_.remove(tempFile_); // nobody will take it
        return;
    }
    dispatchSubstitute();
}

void InboundStream::dispatchSubstitute() {
    std::string substitute;
    substitute.reserve(header_.size() + 2 * tags::kTagLength);
    substitute.append(header_).append(tags::kFileTemp).append(tags::kMessageEnd);
    if (std::string_view(header_).substr(0, tags::kTagLength) == tags::kFileSend) {
        hooks_.dispatch(substitute); // the file handler takes the file and removes it
        return;
    }
    // No other handler reads the file: it goes once the handler is done, whatever happens.
    try {
        hooks_.dispatch(substitute);
    } catch (...) {
        files_.remove(tempFile_);
        throw;
    }
    files_.remove(tempFile_);
}

// Writes the payload bytes of `data` to the file, holding back the last few that may
// begin the end tag. Returns the offset just past the end tag in `data`, or npos while
// the payload goes on. No end tag starts in `data` before `searchFrom`.
std::size_t InboundStream::storePiece(std::string_view data, std::size_t searchFrom) {
    const auto tagSize = tags::kMessageEnd.size();
    const auto held = tail_.size();
    if (held > 0) {
        // A tag straddling the seam lies within the held bytes and the next 19.
        std::array<char, 2 * kHold> joined{};
        const auto next = data.substr(0, kHold);
        std::copy(tail_.begin(), tail_.end(), joined.begin());
        std::copy(next.begin(), next.end(), joined.begin() + static_cast<std::ptrdiff_t>(held));
        const auto at = std::string_view(joined.data(), held + next.size()).find(tags::kMessageEnd);
        if (at != npos && at < held) {
            writeJoined(std::string_view(tail_).substr(0, at), {});
            tail_.clear();
            return at + tagSize - held;
        }
    }
    const auto at = data.find(tags::kMessageEnd, searchFrom);
    if (at != npos) {
        writeJoined(tail_, data.substr(0, at));
        tail_.clear();
        return at + tagSize;
    }
    const auto total = held + data.size();
    if (total <= kHold) {
        tail_.append(data);
        return npos;
    }
    const auto flush = total - kHold;
    if (flush <= held) {
        writeJoined(std::string_view(tail_).substr(0, flush), {});
        tail_.erase(0, flush);
        tail_.append(data);
    } else {
        writeJoined(tail_, data.substr(0, flush - held));
        tail_.assign(data.substr(data.size() - kHold));
    }
    return npos;
}

// One append per call: each append may open the file anew.
void InboundStream::writeJoined(std::string_view first, std::string_view second) {
    if (dropping_ || (first.empty() && second.empty())) {
        return;
    }
    const auto size = first.size() + second.size();
    if (storedBytes_ + size > payloadCap_) {
        dropPayload();
        return;
    }
    std::string_view bytes = second;
    if (second.empty()) {
        bytes = first;
    } else if (!first.empty()) {
        scratch_.assign(first).append(second);
        bytes = scratch_;
    }
    if (!files_.append(tempFile_, bytes)) {
        throw AppError(AppError::kPathFileAccess, "The received file could not be written");
    }
    storedBytes_ += size;
}

void InboundStream::dropPayload() {
    dropping_ = true;
    files_.remove(tempFile_); // what stays behind is under the cap and replaced next time
    if (hooks_.logLine) {
        hooks_.logLine("wskCli_DataArrival: payload over " + std::to_string(payloadCap_) +
                       " bytes dropped: " + header_.substr(0, tags::kTagLength));
    }
}

void InboundStream::debug(const std::string& line) const {
    if (debug_ && hooks_.debugLine) {
        hooks_.debugLine(line);
    }
}

} // namespace orvan
