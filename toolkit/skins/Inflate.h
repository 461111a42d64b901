// The zlib stream that PNG pictures keep their pixels in (RFC 1950), with its deflate data
// (RFC 1951): stored, fixed and dynamic Huffman blocks. Free of platform state, so that it can
// be tested and fuzzed anywhere.
#pragma once

#include <cstddef>
#include <cstdint>

// Inflates the stream into exactly `size` bytes at `out`; false when the stream is malformed
// (its header, a block, its checksum), ends early, or holds more or fewer bytes than that.
bool InflateZlib(const uint8_t* data, size_t length, uint8_t* out, size_t size);
