// Owners for GDI objects, device contexts and selections, so that no caller releases them by hand.
#pragma once

#include <windows.h>

// A GDI object (font, bitmap, brush, pen, region) deleted on destruction.
template <typename Handle> class ScopedGdiObject {
public:
    ScopedGdiObject() = default;
    explicit ScopedGdiObject(Handle handle) : m_handle(handle) {}
    ScopedGdiObject(const ScopedGdiObject&) = delete;
    ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;
    ~ScopedGdiObject() { Reset(); }

    Handle Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }
    void Reset(Handle handle = nullptr) {
        if (m_handle != nullptr)
            ::DeleteObject(m_handle);
        m_handle = handle;
    }
    Handle Release() {
        Handle handle = m_handle;
        m_handle = nullptr;
        return handle;
    }

private:
    Handle m_handle = nullptr;
};

// An icon destroyed on destruction (icons are not GDI objects: DeleteObject does not free them).
class ScopedIcon {
public:
    ScopedIcon() = default;
    ScopedIcon(const ScopedIcon&) = delete;
    ScopedIcon& operator=(const ScopedIcon&) = delete;
    ~ScopedIcon() { Reset(); }

    HICON Get() const { return m_icon; }
    void Reset(HICON icon = nullptr) {
        if (m_icon != nullptr)
            ::DestroyIcon(m_icon);
        m_icon = icon;
    }

private:
    HICON m_icon = nullptr;
};

// A memory device context compatible with the given one (null: the screen).
class MemoryDC {
public:
    explicit MemoryDC(HDC compatible = nullptr) : m_dc(::CreateCompatibleDC(compatible)) {}
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    ~MemoryDC() {
        if (m_dc != nullptr)
            ::DeleteDC(m_dc);
    }

    HDC Get() const { return m_dc; }
    operator HDC() const { return m_dc; }

private:
    HDC m_dc;
};

// The device context of a window (null: the screen), released on destruction.
class WindowDC {
public:
    explicit WindowDC(HWND window = nullptr) : m_window(window), m_dc(::GetDC(window)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() {
        if (m_dc != nullptr)
            ::ReleaseDC(m_window, m_dc);
    }

    operator HDC() const { return m_dc; }

private:
    HWND m_window;
    HDC m_dc;
};

// Selects an object into a device context and puts the previous one back on destruction.
class SelectObjectGuard {
public:
    SelectObjectGuard(HDC dc, HGDIOBJ object)
        : m_dc(dc), m_old(object != nullptr ? ::SelectObject(dc, object) : nullptr) {}
    SelectObjectGuard(const SelectObjectGuard&) = delete;
    SelectObjectGuard& operator=(const SelectObjectGuard&) = delete;
    ~SelectObjectGuard() {
        if (m_old != nullptr && m_old != HGDI_ERROR)
            ::SelectObject(m_dc, m_old);
    }

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

// Saves the whole state of a device context (clip region, objects, modes) and restores it.
class SavedDCState {
public:
    explicit SavedDCState(HDC dc) : m_dc(dc), m_saved(::SaveDC(dc)) {}
    SavedDCState(const SavedDCState&) = delete;
    SavedDCState& operator=(const SavedDCState&) = delete;
    ~SavedDCState() {
        if (m_saved != 0)
            ::RestoreDC(m_dc, m_saved);
    }

private:
    HDC m_dc;
    int m_saved;
};
