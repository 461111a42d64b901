#include "toolkit/skins/PictureRecolour.h"

void RecolourTwoTone(const BYTE* source, BYTE* target, size_t pixels, COLORREF face, COLORREF ink) {
    // Blue, green, red of each colour, in the pixels' order.
    const int faces[3] = {GetBValue(face), GetGValue(face), GetRValue(face)};
    const int inks[3] = {GetBValue(ink), GetGValue(ink), GetRValue(ink)};
    for (size_t i = 0; i < pixels; ++i, source += 4, target += 4) {
        const int alpha = source[3];
        // The tone, out of the premultiplied green: 255 ink, 0 face.
        const int tone = alpha == 0 ? 0 : (source[1] * 255 + alpha / 2) / alpha;
        for (int channel = 0; channel < 3; ++channel) {
            const int colour = (inks[channel] * tone + faces[channel] * (255 - tone) + 127) / 255;
            target[channel] = static_cast<BYTE>((colour * alpha + 127) / 255);
        }
        target[3] = static_cast<BYTE>(alpha);
    }
}
