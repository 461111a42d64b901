// Feeds arbitrary bytes to the toolkit's own picture decoding: as a zlib stream, the inflation
// must agree with zlib's (the same bytes when zlib inflates the stream, a refusal when it
// refuses); as a PNG, the decoder must neither crash nor read or write out of bounds.
#include "toolkit/skins/Inflate.h"
#include "toolkit/skins/PngDecoder.h"

#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

void Require(bool condition) {
    if (!condition)
        std::abort();
}

constexpr size_t kMaxInflated = 1 << 16;

// zlib's inflation of the bytes: whether the stream ended well, and what came out before it
// ended or failed.
bool ZlibInflates(const uint8_t* data, size_t size, std::vector<uint8_t>& out) {
    out.resize(kMaxInflated);
    z_stream stream{};
    stream.next_in = const_cast<Bytef*>(data);
    stream.avail_in = static_cast<uInt>(size);
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    if (inflateInit(&stream) != Z_OK)
        return false;
    const int result = inflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    inflateEnd(&stream);
    return result == Z_STREAM_END;
}

void CheckInflation(const uint8_t* data, size_t size) {
    std::vector<uint8_t> expected;
    const bool inflates = ZlibInflates(data, size, expected);
    // One byte to spare, so that writing past the size shows.
    std::vector<uint8_t> ours(expected.size() + 1);
    const bool oursInflates = InflateZlib(data, size, ours.data(), expected.size());
    if (expected.size() == kMaxInflated)
        return; // zlib stopped at the buffer's end: nothing to compare
    Require(oursInflates == inflates);
    if (inflates)
        Require(std::memcmp(ours.data(), expected.data(), expected.size()) == 0);
}

void CheckPng(const uint8_t* data, size_t size) {
    const PngDecoder decoder(data, size);
    if (decoder.Header() != PngDecoder::Result::kDecoded)
        return;
    // Pictures the fuzzer describes as huge would only time out.
    const uint64_t bytes = uint64_t{decoder.Width()} * decoder.Height() * 4;
    if (bytes > (uint64_t{1} << 24))
        return;
    std::vector<uint8_t> pixels(bytes);
    decoder.Decode(pixels.data());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CheckInflation(data, size);
    CheckPng(data, size);
    return 0;
}
