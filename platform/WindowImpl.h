// Stand-in for the framework's window implementation: a window class registered once per C++
// class, whose messages go to the most derived class's message map (ProcessWindowMessage),
// and to DefWindowProc when the map leaves them unhandled. A class in between may set up what
// every message of the window needs by hiding RouteWindowMessage.
#pragma once

#include "platform/MessageMap.h"

#include <windows.h>

// The window behind a C++ object. T may name its window class with a static GetWndClassName()
// (null: a name of its own is made up) and add class styles with GetWndClassStyle().
template <typename T> class CWindowImpl {
public:
    CWindowImpl() = default;
    CWindowImpl(const CWindowImpl&) = delete;
    CWindowImpl& operator=(const CWindowImpl&) = delete;
    virtual ~CWindowImpl() {
        if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
    }

    HWND Create(HWND parent, const RECT& rect, const wchar_t* name, DWORD style, DWORD exStyle,
                UINT_PTR idOrMenu = 0) {
        const ATOM atom = RegisterOnce();
        if (atom == 0)
            return nullptr;
        // Messages arrive before CreateWindowEx returns (WM_GETMINMAXINFO even before
        // WM_NCCREATE): the window adopts the object being created on this thread.
        CreatingWindow() = this;
        const HWND created = ::CreateWindowExW(
            exStyle, MAKEINTATOM(atom), name, style, rect.left, rect.top, rect.right - rect.left,
            rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(idOrMenu),
            ::GetModuleHandleW(nullptr), nullptr);
        CreatingWindow() = nullptr;
        return created;
    }

    BOOL DestroyWindow() { return m_hWnd != nullptr && ::DestroyWindow(m_hWnd); }
    bool IsWindow() const { return m_hWnd != nullptr && ::IsWindow(m_hWnd); }
    operator HWND() const { return m_hWnd; }

    // The framework's window procedure: the object's map first.
    static WNDPROC GetWindowProc() { return WindowProc; }
    // Hands every message to the map; found in T first.
    BOOL RouteWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                            LRESULT& result) {
        return static_cast<T*>(this)->ProcessWindowMessage(window, message, wParam, lParam, result);
    }
    // Called after the last message, when the window is gone.
    virtual void OnFinalMessage(HWND) {}

    static const wchar_t* GetWndClassName() { return nullptr; }
    static DWORD GetWndClassStyle() { return 0; }

    HWND m_hWnd = nullptr;

private:
    static CWindowImpl*& CreatingWindow() {
        static thread_local CWindowImpl* creating = nullptr;
        return creating;
    }

    static ATOM RegisterOnce() {
        static const ATOM atom = [] {
            // Each instantiation has its own window procedure, so its own class name.
            wchar_t madeUp[40];
            const wchar_t* name = T::GetWndClassName();
            if (name == nullptr) {
                ::wsprintfW(madeUp, L"CWindowImpl:%p",
                            reinterpret_cast<void*>(&CWindowImpl::WindowProc));
                name = madeUp;
            }
            WNDCLASSEXW windowClass{};
            windowClass.cbSize = sizeof windowClass;
            windowClass.style = T::GetWndClassStyle();
            windowClass.lpfnWndProc = WindowProc;
            windowClass.hInstance = ::GetModuleHandleW(nullptr);
            windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
            windowClass.lpszClassName = name;
            return ::RegisterClassExW(&windowClass);
        }();
        return atom;
    }

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<CWindowImpl*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self == nullptr && CreatingWindow() != nullptr) {
            self = CreatingWindow();
            CreatingWindow() = nullptr;
            self->m_hWnd = window;
            ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
        if (self == nullptr)
            return ::DefWindowProcW(window, message, wParam, lParam);

        LRESULT result = 0;
        if (!static_cast<T*>(self)->RouteWindowMessage(window, message, wParam, lParam, result))
            result = ::DefWindowProcW(window, message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            self->m_hWnd = nullptr;
            self->OnFinalMessage(window);
        }
        return result;
    }
};
