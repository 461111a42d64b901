// The display scale that a view lays out and paints at, as dots per inch (96 is 100 %). The
// documents' numbers are pixels at 96 DPI; every one of them is scaled by the one rule here, so
// that edges that meet at 96 DPI meet at every scale.
#pragma once

#include <cstdint>

constexpr int kDefaultDpi = 96;

// A 96-DPI coordinate or length at `dpi`: the nearest pixel, halves away from zero (as MulDiv
// rounds), so that -N scales as the negative of N. Free of platform state.
constexpr int64_t ScaleToDpi64(int64_t value, int dpi) {
    const int64_t product = value * dpi;
    return (product + (product < 0 ? -kDefaultDpi / 2 : kDefaultDpi / 2)) / kDefaultDpi;
}
constexpr int ScaleToDpi(int value, int dpi) {
    return static_cast<int>(ScaleToDpi64(value, dpi));
}

// The DPI of the view at work on this thread: a view sets it with a DpiScope while it loads,
// lays out, measures or paints its elements, so that the process-wide fonts, skins and
// pictures serve each view at its own scale. 96 outside any scope.
int CurrentDpi();

inline int Scaled(int value) {
    return ScaleToDpi(value, CurrentDpi());
}

class DpiScope {
public:
    explicit DpiScope(int dpi);
    DpiScope(const DpiScope&) = delete;
    DpiScope& operator=(const DpiScope&) = delete;
    ~DpiScope();

private:
    int m_previous;
};
