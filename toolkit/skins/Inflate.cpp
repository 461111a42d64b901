#include "toolkit/skins/Inflate.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr int kMaxBits = 15;
// Codes up to this long are decoded by one table look-up, longer ones bit by bit.
constexpr int kFastBits = 10;

constexpr uint16_t kLengthBase[29] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                      15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                      67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                      2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint16_t kDistanceBase[30] = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr uint8_t kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                        6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
// The order in which a dynamic block gives the lengths of the code-length code.
constexpr uint8_t kCodeLengthOrder[19] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                          11, 4,  12, 3, 13, 2, 14, 1, 15};

// The stream's bits, from the least significant bit of each byte on. Past the end it reads
// zero bits and notes that it did: a stream that needs them is malformed.
class BitReader {
public:
    BitReader(const uint8_t* data, size_t length) : m_next(data), m_end(data + length) {}

    uint32_t Peek(int count) {
        while (m_count < count) {
            uint64_t byte = 0;
            if (m_next < m_end)
                byte = *m_next++;
            else
                ++m_padding;
            m_bits |= byte << m_count;
            m_count += 8;
        }
        return static_cast<uint32_t>(m_bits & ((uint64_t{1} << count) - 1));
    }
    void Drop(int count) {
        m_bits >>= count;
        m_count -= count;
    }
    uint32_t Take(int count) {
        const uint32_t value = Peek(count);
        Drop(count);
        return value;
    }
    void AlignToByte() { Drop(m_count % 8); }
    // Whether bits past the end were taken.
    bool Overrun() const { return m_padding * 8 > static_cast<size_t>(m_count); }

private:
    const uint8_t* m_next;
    const uint8_t* m_end;
    uint64_t m_bits = 0;
    int m_count = 0;
    size_t m_padding = 0;
};

// A canonical Huffman code, as deflate describes it by code lengths.
class Huffman {
public:
    // False for lengths that over-subscribe the code, or leave it incomplete where zlib does
    // not allow that: always in the code of the code lengths, elsewhere unless the code is a
    // single one of one bit, or none at all (reading a missing code then fails).
    bool Build(const uint8_t* lengths, int count, bool mustBeComplete = false) {
        std::fill(std::begin(m_counts), std::end(m_counts), 0);
        for (int i = 0; i < count; ++i)
            ++m_counts[lengths[i]];
        m_counts[0] = 0;
        int left = 1, longest = 0;
        for (int bits = 1; bits <= kMaxBits; ++bits) {
            left = (left << 1) - m_counts[bits];
            if (left < 0)
                return false;
            if (m_counts[bits] != 0)
                longest = bits;
        }
        if (left > 0 && longest != 0 && (mustBeComplete || longest != 1))
            return false;
        uint16_t offsets[kMaxBits + 2] = {};
        uint16_t next[kMaxBits + 2] = {};
        for (int bits = 1; bits <= kMaxBits; ++bits) {
            offsets[bits + 1] = static_cast<uint16_t>(offsets[bits] + m_counts[bits]);
            next[bits] = static_cast<uint16_t>((next[bits - 1] + m_counts[bits - 1]) << 1);
        }
        std::fill(std::begin(m_fast), std::end(m_fast), 0);
        for (int symbol = 0; symbol < count; ++symbol) {
            const int bits = lengths[symbol];
            if (bits == 0)
                continue;
            m_symbols[offsets[bits]++] = static_cast<uint16_t>(symbol);
            const unsigned code = next[bits]++;
            if (bits > kFastBits)
                continue;
            // The stream holds the code's most significant bit first.
            unsigned reversed = 0;
            for (int i = 0; i < bits; ++i)
                reversed |= ((code >> i) & 1u) << (bits - 1 - i);
            for (unsigned entry = reversed; entry < (1u << kFastBits); entry += 1u << bits)
                m_fast[entry] = static_cast<uint16_t>(symbol << 4 | bits);
        }
        return true;
    }

    // The next symbol; -1 for a code that the lengths do not give.
    int Decode(BitReader& in) const {
        const uint16_t entry = m_fast[in.Peek(kFastBits)];
        if (entry != 0) {
            in.Drop(entry & 15);
            return entry >> 4;
        }
        int code = 0, first = 0, index = 0;
        for (int bits = 1; bits <= kMaxBits; ++bits) {
            code |= static_cast<int>(in.Take(1));
            const int count = m_counts[bits];
            if (code - count < first)
                return m_symbols[index + (code - first)];
            index += count;
            first = (first + count) << 1;
            code <<= 1;
        }
        return -1;
    }

private:
    uint16_t m_fast[1 << kFastBits];
    uint16_t m_counts[kMaxBits + 1];
    uint16_t m_symbols[288];
};

class Inflater {
public:
    Inflater(const uint8_t* data, size_t length, size_t window, uint8_t* out, size_t size)
        : m_in(data, length), m_window(window), m_out(out), m_size(size) {}

    bool Run() {
        bool last = false;
        while (!last) {
            last = m_in.Take(1) != 0;
            bool done = false;
            switch (m_in.Take(2)) {
            case 0:
                done = Stored();
                break;
            case 1:
                done = FixedBlock();
                break;
            case 2:
                done = DynamicBlock();
                break;
            default:
                return false;
            }
            if (!done || m_in.Overrun())
                return false;
        }
        m_in.AlignToByte();
        uint32_t checksum = 0;
        for (int i = 0; i < 4; ++i)
            checksum = checksum << 8 | m_in.Take(8);
        return !m_in.Overrun() && m_written == m_size && checksum == Adler32();
    }

private:
    bool Stored() {
        m_in.AlignToByte();
        const uint32_t length = m_in.Take(16);
        if ((m_in.Take(16) ^ 0xFFFF) != length || length > m_size - m_written)
            return false;
        for (uint32_t i = 0; i < length; ++i)
            m_out[m_written++] = static_cast<uint8_t>(m_in.Take(8));
        return true;
    }

    bool FixedBlock() {
        static const struct Fixed {
            Huffman literals, distances;
            Fixed() {
                uint8_t lengths[288];
                std::fill(lengths, lengths + 144, 8);
                std::fill(lengths + 144, lengths + 256, 9);
                std::fill(lengths + 256, lengths + 280, 7);
                std::fill(lengths + 280, lengths + 288, 8);
                literals.Build(lengths, 288);
                // 30 and 31 complete the code; no distance has them.
                std::fill(lengths, lengths + 32, 5);
                distances.Build(lengths, 32);
            }
        } fixed;
        return Codes(fixed.literals, fixed.distances);
    }

    bool DynamicBlock() {
        const int literalCount = static_cast<int>(m_in.Take(5)) + 257;
        const int distanceCount = static_cast<int>(m_in.Take(5)) + 1;
        const int lengthCodeCount = static_cast<int>(m_in.Take(4)) + 4;
        if (literalCount > 286 || distanceCount > 30)
            return false;
        uint8_t lengths[286 + 30] = {};
        for (int i = 0; i < lengthCodeCount; ++i)
            lengths[kCodeLengthOrder[i]] = static_cast<uint8_t>(m_in.Take(3));
        Huffman lengthCode;
        if (!lengthCode.Build(lengths, 19, true))
            return false;
        const int total = literalCount + distanceCount;
        std::fill(lengths, lengths + 19, 0);
        for (int index = 0; index < total;) {
            const int symbol = lengthCode.Decode(m_in);
            if (symbol < 0)
                return false;
            if (symbol < 16) {
                lengths[index++] = static_cast<uint8_t>(symbol);
                continue;
            }
            uint8_t repeated = 0;
            int times = 0;
            if (symbol == 16) {
                if (index == 0)
                    return false;
                repeated = lengths[index - 1];
                times = 3 + static_cast<int>(m_in.Take(2));
            } else if (symbol == 17) {
                times = 3 + static_cast<int>(m_in.Take(3));
            } else {
                times = 11 + static_cast<int>(m_in.Take(7));
            }
            if (index + times > total)
                return false;
            std::fill(lengths + index, lengths + index + times, repeated);
            index += times;
        }
        // Without a code for the end of the block, the block could not end.
        if (lengths[256] == 0)
            return false;
        Huffman literals, distances;
        return literals.Build(lengths, literalCount) &&
               distances.Build(lengths + literalCount, distanceCount) && Codes(literals, distances);
    }

    // Literals and copies up to the end of the block.
    bool Codes(const Huffman& literals, const Huffman& distances) {
        for (;;) {
            const int symbol = literals.Decode(m_in);
            if (symbol < 0 || m_in.Overrun())
                return false;
            if (symbol < 256) {
                if (m_written == m_size)
                    return false;
                m_out[m_written++] = static_cast<uint8_t>(symbol);
                continue;
            }
            if (symbol == 256)
                return true;
            const int lengthIndex = symbol - 257;
            if (lengthIndex >= 29)
                return false;
            const size_t length = kLengthBase[lengthIndex] + m_in.Take(kLengthExtra[lengthIndex]);
            const int distanceIndex = distances.Decode(m_in);
            if (distanceIndex < 0 || distanceIndex >= 30)
                return false;
            const size_t distance =
                kDistanceBase[distanceIndex] + m_in.Take(kDistanceExtra[distanceIndex]);
            if (distance > m_written || distance > m_window || length > m_size - m_written)
                return false;
            // Byte by byte: a copy may overlap what it writes, and most are short.
            uint8_t* to = m_out + m_written;
            const uint8_t* from = to - distance;
            for (size_t i = 0; i < length; ++i)
                to[i] = from[i];
            m_written += length;
        }
    }

    uint32_t Adler32() const {
        uint32_t a = 1, b = 0;
        for (size_t start = 0; start < m_written; start += 5552) {
            const size_t end = std::min(m_written, start + 5552);
            for (size_t i = start; i < end; ++i) {
                a += m_out[i];
                b += a;
            }
            a %= 65521;
            b %= 65521;
        }
        return b << 16 | a;
    }

    BitReader m_in;
    // How far back a copy may reach, as the stream's header says.
    size_t m_window;
    uint8_t* m_out;
    size_t m_size;
    size_t m_written = 0;
};

} // namespace

bool InflateZlib(const uint8_t* data, size_t length, uint8_t* out, size_t size) {
    // Deflate with a window of at most 32 KiB, no preset dictionary, and the header's check.
    if (length < 2 || (data[0] & 15) != 8 || (data[0] >> 4) > 7 || (data[1] & 0x20) != 0 ||
        (data[0] * 256 + data[1]) % 31 != 0)
        return false;
    return Inflater(data + 2, length - 2, size_t{1} << ((data[0] >> 4) + 8), out, size).Run();
}
