#include "StreamCutter.h"

#include <algorithm>
#include <utility>

namespace orvan::cafe {

StreamCutter::StreamCutter(std::string delimiter)
    : delimiter_(std::move(delimiter)) {}

std::vector<std::string> StreamCutter::feed(std::string_view chunk) {
    buffer_.append(chunk);
    std::vector<std::string> pieces;
    for (;;) {
        const auto end = buffer_.find(delimiter_, scanFrom_);
        if (end == std::string::npos) {
            break;
        }
        pieces.emplace_back(buffer_, start_, end - start_);
        start_ = end + delimiter_.size();
        scanFrom_ = start_;
    }
    // Only a tail shorter than the delimiter can still begin one that the next chunk ends.
    const auto keep = delimiter_.size() - 1;
    scanFrom_ = std::max(start_, buffer_.size() > keep ? buffer_.size() - keep : 0);
    compact();
    return pieces;
}

void StreamCutter::compact() {
    if (start_ == 0) {
        return;
    }
    buffer_.erase(0, start_);
    scanFrom_ -= start_;
    start_ = 0;
}

} // namespace orvan::cafe
