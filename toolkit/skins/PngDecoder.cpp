#include "toolkit/skins/PngDecoder.h"

#include "toolkit/skins/Inflate.h"

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Larger pictures are left to the system rather than given that much memory here.
constexpr uint32_t kMaxSide = 1u << 15;
constexpr uint64_t kMaxPixels = uint64_t{1} << 26;

enum ColourType : uint8_t { kGrey = 0, kRgb = 2, kPalette = 3, kGreyAlpha = 4, kRgba = 6 };

uint32_t BigEndian(const uint8_t* bytes) {
    return uint32_t{bytes[0]} << 24 | uint32_t{bytes[1]} << 16 | uint32_t{bytes[2]} << 8 | bytes[3];
}

uint32_t Crc32(const uint8_t* bytes, size_t length) {
    static const struct Table {
        uint32_t entries[256];
        Table() {
            for (uint32_t n = 0; n < 256; ++n) {
                uint32_t c = n;
                for (int k = 0; k < 8; ++k)
                    c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
                entries[n] = c;
            }
        }
    } table;
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < length; ++i)
        crc = table.entries[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

uint8_t Paeth(int left, int up, int upLeft) {
    const int estimate = left + up - upLeft;
    const int toLeft = std::abs(estimate - left);
    const int toUp = std::abs(estimate - up);
    const int toUpLeft = std::abs(estimate - upLeft);
    if (toLeft <= toUp && toLeft <= toUpLeft)
        return static_cast<uint8_t>(left);
    return static_cast<uint8_t>(toUp <= toUpLeft ? up : upLeft);
}

// Undoes a row's filter in place; `previous` is the row above, unfiltered (zeros for the first).
bool Unfilter(uint8_t filter, uint8_t* row, const uint8_t* previous, size_t length, size_t bpp) {
    switch (filter) {
    case 0:
        return true;
    case 1:
        for (size_t i = bpp; i < length; ++i)
            row[i] = static_cast<uint8_t>(row[i] + row[i - bpp]);
        return true;
    case 2:
        for (size_t i = 0; i < length; ++i)
            row[i] = static_cast<uint8_t>(row[i] + previous[i]);
        return true;
    case 3:
        for (size_t i = 0; i < length; ++i) {
            const int left = i >= bpp ? row[i - bpp] : 0;
            row[i] = static_cast<uint8_t>(row[i] + (left + previous[i]) / 2);
        }
        return true;
    case 4:
        for (size_t i = 0; i < length; ++i) {
            const int left = i >= bpp ? row[i - bpp] : 0;
            const int upLeft = i >= bpp ? previous[i - bpp] : 0;
            row[i] = static_cast<uint8_t>(row[i] + Paeth(left, previous[i], upLeft));
        }
        return true;
    default:
        return false;
    }
}

uint8_t Premultiplied(uint8_t colour, uint8_t alpha) {
    return static_cast<uint8_t>((colour * alpha + 127) / 255);
}

void Put(uint8_t* bgra, uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha) {
    // Most pixels of most pictures are opaque, and nothing needs multiplying there.
    if (alpha == 255) {
        bgra[0] = blue;
        bgra[1] = green;
        bgra[2] = red;
    } else {
        bgra[0] = Premultiplied(blue, alpha);
        bgra[1] = Premultiplied(green, alpha);
        bgra[2] = Premultiplied(red, alpha);
    }
    bgra[3] = alpha;
}

} // namespace

PngDecoder::PngDecoder(const uint8_t* data, size_t length) {
    m_header = ReadChunks(data, length);
}

PngDecoder::Result PngDecoder::ReadChunks(const uint8_t* data, size_t length) {
    if (length < sizeof kSignature || std::memcmp(data, kSignature, sizeof kSignature) != 0)
        return Result::kMalformed;
    size_t at = sizeof kSignature;
    bool headerRead = false;
    for (;;) {
        if (length - at < 12)
            return Result::kMalformed;
        const uint32_t size = BigEndian(data + at);
        const uint8_t* type = data + at + 4;
        if (size > length - at - 12)
            return Result::kMalformed;
        const uint8_t* chunk = type + 4;
        if (Crc32(type, size + 4) != BigEndian(chunk + size))
            return Result::kMalformed;
        at += size + 12;
        const auto is = [type](const char* name) { return std::memcmp(type, name, 4) == 0; };
        if (!headerRead) {
            if (!is("IHDR"))
                return Result::kMalformed;
            const Result header = ReadHeader(chunk, size);
            if (header != Result::kDecoded)
                return header;
            headerRead = true;
        } else if (is("PLTE")) {
            if (size % 3 != 0 || size / 3 > 256 || size == 0)
                return Result::kMalformed;
            m_palette.clear();
            for (uint32_t i = 0; i < size; i += 3)
                m_palette.insert(m_palette.end(), {chunk[i], chunk[i + 1], chunk[i + 2], 255});
        } else if (is("tRNS")) {
            if (m_colourType == kPalette) {
                if (size > m_palette.size() / 4)
                    return Result::kMalformed;
                for (uint32_t i = 0; i < size; ++i)
                    m_palette[i * 4 + 3] = chunk[i];
            } else if ((m_colourType == kGrey && size == 2) ||
                       (m_colourType == kRgb && size == 6)) {
                // 16-bit samples; at 8 bits only their low byte can match.
                m_hasKey = true;
                for (uint32_t i = 0; i < size / 2; ++i) {
                    m_hasKey = m_hasKey && chunk[i * 2] == 0;
                    m_key[i] = chunk[i * 2 + 1];
                }
            }
        } else if (is("IDAT")) {
            m_compressed.insert(m_compressed.end(), chunk, chunk + size);
        } else if (is("IEND")) {
            break;
        } else if ((type[0] & 0x20) == 0) {
            // A critical chunk that this decoder does not know.
            return Result::kUnsupported;
        }
    }
    if (m_colourType == kPalette && m_palette.empty())
        return Result::kMalformed;
    return m_compressed.empty() ? Result::kMalformed : Result::kDecoded;
}

PngDecoder::Result PngDecoder::ReadHeader(const uint8_t* chunk, uint32_t length) {
    if (length != 13)
        return Result::kMalformed;
    m_width = BigEndian(chunk);
    m_height = BigEndian(chunk + 4);
    m_depth = chunk[8];
    m_colourType = chunk[9];
    if (m_width == 0 || m_height == 0 || m_width > 0x7FFFFFFFu || m_height > 0x7FFFFFFFu ||
        chunk[10] != 0 || chunk[11] != 0 || chunk[12] > 1)
        return Result::kMalformed;
    const bool known = m_colourType == kGrey || m_colourType == kRgb || m_colourType == kPalette ||
                       m_colourType == kGreyAlpha || m_colourType == kRgba;
    const bool depthFits =
        m_colourType == kPalette
            ? (m_depth == 1 || m_depth == 2 || m_depth == 4 || m_depth == 8)
            : (m_depth == 8 || m_depth == 16 ||
               ((m_colourType == kGrey) && (m_depth == 1 || m_depth == 2 || m_depth == 4)));
    if (!known || !depthFits)
        return Result::kMalformed;
    const bool supported = chunk[12] == 0 && (m_colourType == kPalette || m_depth == 8) &&
                           m_width <= kMaxSide && m_height <= kMaxSide &&
                           uint64_t{m_width} * m_height <= kMaxPixels;
    return supported ? Result::kDecoded : Result::kUnsupported;
}

bool PngDecoder::ConvertRow(const uint8_t* in, uint8_t* out) const {
    const uint32_t width = m_width;
    switch (m_colourType) {
    case kRgba:
        for (uint32_t x = 0; x < width; ++x, in += 4, out += 4)
            Put(out, in[0], in[1], in[2], in[3]);
        return true;
    case kRgb:
        for (uint32_t x = 0; x < width; ++x, in += 3, out += 4) {
            const bool clear =
                m_hasKey && in[0] == m_key[0] && in[1] == m_key[1] && in[2] == m_key[2];
            Put(out, in[0], in[1], in[2], clear ? 0 : 255);
        }
        return true;
    case kGreyAlpha:
        for (uint32_t x = 0; x < width; ++x, in += 2, out += 4)
            Put(out, in[0], in[0], in[0], in[1]);
        return true;
    case kGrey:
        for (uint32_t x = 0; x < width; ++x, ++in, out += 4)
            Put(out, in[0], in[0], in[0], m_hasKey && in[0] == m_key[0] ? 0 : 255);
        return true;
    default:
        // Palette indices of m_depth bits, the first in the high bits of a byte.
        for (uint32_t x = 0; x < width; ++x, out += 4) {
            const uint32_t bit = x * m_depth;
            const uint32_t index = (in[bit / 8] >> (8 - m_depth - bit % 8)) & ((1u << m_depth) - 1);
            if (index * 4 >= m_palette.size())
                return false;
            const uint8_t* entry = &m_palette[index * 4];
            Put(out, entry[0], entry[1], entry[2], entry[3]);
        }
        return true;
    }
}

uint32_t PngDecoder::BitsPerPixel() const {
    static const uint8_t kChannels[7] = {1, 0, 3, 1, 2, 0, 4};
    return kChannels[m_colourType] * uint32_t{m_depth};
}

PngDecoder::Result PngDecoder::Decode(uint8_t* bgra) const {
    if (m_header != Result::kDecoded)
        return m_header;
    const size_t rowLength = (size_t{m_width} * BitsPerPixel() + 7) / 8;
    const size_t bpp = BitsPerPixel() >= 8 ? BitsPerPixel() / 8 : 1;
    // Every byte is written by the inflation or it fails: no need to clear them first.
    const size_t rawSize = (rowLength + 1) * m_height;
    const std::unique_ptr<uint8_t[]> raw(new uint8_t[rawSize]);
    if (!InflateZlib(m_compressed.data(), m_compressed.size(), raw.get(), rawSize))
        return Result::kMalformed;
    const std::vector<uint8_t> none(rowLength, 0);
    const uint8_t* previous = none.data();
    for (uint32_t y = 0; y < m_height; ++y) {
        uint8_t* row = raw.get() + y * (rowLength + 1);
        if (!Unfilter(row[0], row + 1, previous, rowLength, bpp))
            return Result::kMalformed;
        previous = row + 1;
        if (!ConvertRow(row + 1, bgra + size_t{y} * m_width * 4))
            return Result::kMalformed;
    }
    return Result::kDecoded;
}
