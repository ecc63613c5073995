#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orvan::cafe {

// Joins the chunks of a byte stream and cuts it at a delimiter (the end tag on the wire, a
// line break on the console). Each byte is searched once and moved at most once, so a
// multi-megabyte message arriving in small chunks costs linear time.
class StreamCutter {
public:
    explicit StreamCutter(std::string delimiter);

    // Appends a chunk and returns the pieces it completes, without their delimiter.
    std::vector<std::string> feed(std::string_view chunk);

    // Bytes held for a piece that is not complete yet.
    std::size_t pending() const { return buffer_.size() - start_; }

private:
    void compact();

    std::string delimiter_;
    std::string buffer_;
    std::size_t start_ = 0;    // first byte of the piece being collected
    std::size_t scanFrom_ = 0; // first byte not yet searched for a delimiter
};

} // namespace orvan::cafe
