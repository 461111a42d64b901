// The toolkit's own PNG decoding: small pictures of every kind it reads, written here with
// stored deflate blocks and the filters chosen, against the pixels they hold; broken and
// unsupported ones. The fuzzer checks the inflation against zlib's, and the shipped skins'
// tests the program's pictures against GDI+'s decoding.
#include "toolkit/skins/PngDecoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

void PutBigEndian(Bytes& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

uint32_t Crc(const Bytes& bytes, size_t from) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = from; i < bytes.size(); ++i) {
        crc ^= bytes[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc & 1) ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
    }
    return crc ^ 0xFFFFFFFFu;
}

// A zlib stream of stored blocks.
Bytes Stored(const Bytes& raw) {
    Bytes out{0x78, 0x01};
    size_t at = 0;
    do {
        const size_t length = std::min<size_t>(raw.size() - at, 65535);
        out.push_back(at + length == raw.size() ? 1 : 0);
        out.insert(out.end(), {static_cast<uint8_t>(length), static_cast<uint8_t>(length >> 8),
                               static_cast<uint8_t>(~length), static_cast<uint8_t>(~length >> 8)});
        out.insert(out.end(), raw.begin() + at, raw.begin() + at + length);
        at += length;
    } while (at < raw.size());
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    PutBigEndian(out, b << 16 | a);
    return out;
}

void Chunk(Bytes& png, const char* type, const Bytes& data) {
    PutBigEndian(png, static_cast<uint32_t>(data.size()));
    const size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    PutBigEndian(png, Crc(png, start));
}

struct Picture {
    uint32_t width, height;
    uint8_t depth, colourType, interlace;
    Bytes palette, transparency;
    Bytes rows; // each with its filter byte first
};

Bytes Png(const Picture& p) {
    Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    PutBigEndian(header, p.width);
    PutBigEndian(header, p.height);
    header.insert(header.end(), {p.depth, p.colourType, 0, 0, p.interlace});
    Chunk(png, "IHDR", header);
    if (!p.palette.empty())
        Chunk(png, "PLTE", p.palette);
    if (!p.transparency.empty())
        Chunk(png, "tRNS", p.transparency);
    Chunk(png, "IDAT", Stored(p.rows));
    Chunk(png, "IEND", {});
    return png;
}

// Premultiplied blue, green, red, alpha.
using Pixel = std::vector<uint8_t>;

TEST(PngDecoder, ReadsEveryKindOfPictureItDecodes) {
    struct Case {
        const char* what;
        Picture picture;
        std::vector<Pixel> expected;
    };
    const Case cases[] = {
        {"RGBA, half-transparent red beside opaque blue",
         {2, 1, 8, 6, 0, {}, {}, {0, 255, 0, 0, 128, 0, 0, 255, 255}},
         {{0, 0, 128, 128}, {255, 0, 0, 255}}},
        {"RGB with a transparent key colour",
         {2, 1, 8, 2, 0, {}, {0, 1, 0, 2, 0, 3}, {0, 1, 2, 3, 9, 8, 7}},
         {{0, 0, 0, 0}, {7, 8, 9, 255}}},
        {"grey and alpha", {1, 1, 8, 4, 0, {}, {}, {0, 200, 51}}, {{40, 40, 40, 51}}},
        {"grey with a transparent key",
         {2, 1, 8, 0, 0, {}, {0, 5}, {0, 5, 6}},
         {{0, 0, 0, 0}, {6, 6, 6, 255}}},
        {"palette of 2 bits, one entry half-transparent",
         {3, 1, 2, 3, 0, {10, 20, 30, 40, 50, 60, 70, 80, 90}, {255, 0}, {0, 0b00011000}},
         {{30, 20, 10, 255}, {0, 0, 0, 0}, {90, 80, 70, 255}}},
        // Sub, Paeth (from above, then from the left) and Average, undone along the rows.
        {"filters",
         {3, 3, 8, 0, 0, {}, {}, {1, 7, 3, 0, 4, 1, 1, 1, 3, 2, 2, 2}},
         {{7, 7, 7, 255},
          {10, 10, 10, 255},
          {10, 10, 10, 255},
          {8, 8, 8, 255},
          {11, 11, 11, 255},
          {12, 12, 12, 255},
          {6, 6, 6, 255},
          {10, 10, 10, 255},
          {13, 13, 13, 255}}},
        // Up and Average from above alone, and Sub at the first pixel, where nothing is left.
        {"filters down a column",
         {1, 4, 8, 0, 0, {}, {}, {0, 10, 2, 5, 3, 4, 1, 9}},
         {{10, 10, 10, 255}, {15, 15, 15, 255}, {11, 11, 11, 255}, {9, 9, 9, 255}}},
    };
    for (const Case& c : cases) {
        const Bytes png = Png(c.picture);
        const PngDecoder decoder(png.data(), png.size());
        ASSERT_EQ(decoder.Header(), PngDecoder::Result::kDecoded) << c.what;
        Bytes pixels(c.picture.width * c.picture.height * 4);
        ASSERT_EQ(decoder.Decode(pixels.data()), PngDecoder::Result::kDecoded) << c.what;
        for (size_t i = 0; i < c.expected.size(); ++i)
            EXPECT_EQ(Pixel(pixels.begin() + i * 4, pixels.begin() + i * 4 + 4), c.expected[i])
                << c.what << ", pixel " << i;
    }
}

TEST(PngDecoder, LeavesWhatItDoesNotReadAndRefusesWhatIsBroken) {
    const Picture good{1, 1, 8, 6, 0, {}, {}, {0, 1, 2, 3, 4}};
    struct Case {
        const char* what;
        Bytes png;
        PngDecoder::Result header, pixels;
    };
    std::vector<Case> cases = {
        {"interlaced", Png({1, 1, 8, 6, 1, {}, {}, {0, 1, 2, 3, 4}}),
         PngDecoder::Result::kUnsupported, PngDecoder::Result::kUnsupported},
        {"16 bits", Png({1, 1, 16, 2, 0, {}, {}, {0, 1, 2, 3, 4, 5, 6}}),
         PngDecoder::Result::kUnsupported, PngDecoder::Result::kUnsupported},
        {"no PNG", Bytes{'G', 'I', 'F', '8', '9', 'a'}, PngDecoder::Result::kMalformed,
         PngDecoder::Result::kMalformed},
        {"a palette index past the palette", Png({1, 1, 8, 3, 0, {1, 2, 3}, {}, {0, 1}}),
         PngDecoder::Result::kDecoded, PngDecoder::Result::kMalformed},
        {"an unknown filter", Png({1, 1, 8, 6, 0, {}, {}, {5, 1, 2, 3, 4}}),
         PngDecoder::Result::kDecoded, PngDecoder::Result::kMalformed},
        {"a row short", Png({1, 2, 8, 6, 0, {}, {}, {0, 1, 2, 3, 4}}), PngDecoder::Result::kDecoded,
         PngDecoder::Result::kMalformed},
    };
    Bytes badCrc = Png(good);
    badCrc[29] ^= 1; // in IHDR's checksum
    cases.push_back({"a damaged checksum", badCrc, PngDecoder::Result::kMalformed,
                     PngDecoder::Result::kMalformed});
    Bytes truncated = Png(good);
    truncated.resize(truncated.size() - 20);
    cases.push_back(
        {"cut short", truncated, PngDecoder::Result::kMalformed, PngDecoder::Result::kMalformed});
    for (const Case& c : cases) {
        const PngDecoder decoder(c.png.data(), c.png.size());
        EXPECT_EQ(decoder.Header(), c.header) << c.what;
        Bytes pixels(64);
        EXPECT_EQ(decoder.Decode(pixels.data()), c.pixels) << c.what;
    }
}

} // namespace
