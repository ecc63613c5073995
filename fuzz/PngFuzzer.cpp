// Feeds arbitrary bytes to the PNG check as the content of a picture file. Besides the
// sanitizers' findings, a verdict outside the decoder's numbers or a readable file
// without image data is a crash.

#include "imaging/PngCheck.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

void fail(const char* what) {
    std::fprintf(stderr, "png fuzzer: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes{reinterpret_cast<const char*>(data), size};
    const auto result = orvan::PngCheck::check(bytes);
    switch (result.errorNumber) {
    case orvan::PngCheck::kReadable:
        if (result.imageDataBytes == 0) {
            fail("readable without image data");
        }
        break;
    case orvan::PngCheck::kBadSignature:
    case orvan::PngCheck::kTruncatedChunk:
    case orvan::PngCheck::kNoImageData:
        break;
    default:
        fail("unknown error number");
    }
    if (result.imageDataBytes > size) {
        fail("more image data than input");
    }
    return 0;
}
