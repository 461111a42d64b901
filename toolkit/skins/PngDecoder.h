// PNG pictures decoded by the toolkit itself, straight into premultiplied 32-bit pixels: the
// skins' pictures come as 8-bit RGBA PNGs, and decoding them here takes a fraction of what the
// system's codecs take to start. Non-interlaced pictures of 8 bits per channel in every colour
// type, and palettes of 1 to 8 bits, with transparency (tRNS); whatever else a PNG may be
// (interlaced, 16 or fewer than 8 bits per channel) is left to the system. Free of platform
// state, so that it can be tested and fuzzed anywhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class PngDecoder {
public:
    enum class Result { kDecoded, kUnsupported, kMalformed };

    // Reads the chunks: the header, the palette and transparency, the compressed pixels.
    // `data` must outlive the decoder.
    PngDecoder(const uint8_t* data, size_t length);

    // kDecoded when the picture is one this decoder reads, kUnsupported for a PNG it leaves
    // to others, kMalformed for no PNG or a broken one. The size is known unless kMalformed.
    Result Header() const { return m_header; }
    uint32_t Width() const { return m_width; }
    uint32_t Height() const { return m_height; }
    // The pixels into `bgra`, Width() x Height() of them, rows top-down, blue, green, red and
    // alpha with the colours premultiplied by alpha: kDecoded, or kMalformed when the pixel
    // data is broken (the pixels are then undefined).
    Result Decode(uint8_t* bgra) const;

private:
    Result ReadChunks(const uint8_t* data, size_t length);
    Result ReadHeader(const uint8_t* chunk, uint32_t length);
    // The bits of one pixel in the decompressed rows.
    uint32_t BitsPerPixel() const;
    // One unfiltered row into premultiplied BGRA; false for a palette index past the palette.
    bool ConvertRow(const uint8_t* in, uint8_t* out) const;

    Result m_header = Result::kMalformed;
    uint32_t m_width = 0;
    uint32_t m_height = 0;
    uint8_t m_depth = 0;
    uint8_t m_colourType = 0;
    // Red, green, blue and alpha of each palette entry; alpha 255 unless tRNS says otherwise.
    std::vector<uint8_t> m_palette;
    // The colour that is fully transparent in grey (first byte) or RGB pictures, from tRNS.
    bool m_hasKey = false;
    uint8_t m_key[3] = {};
    std::vector<uint8_t> m_compressed;
};
