// Owner for service control manager and service handles.
#pragma once

#include <windows.h>

// A service-manager or service handle closed once on destruction; null means "none".
class ScopedServiceHandle {
public:
    explicit ScopedServiceHandle(SC_HANDLE handle = nullptr) : m_handle(handle) {}
    ScopedServiceHandle(const ScopedServiceHandle&) = delete;
    ScopedServiceHandle& operator=(const ScopedServiceHandle&) = delete;
    ~ScopedServiceHandle() {
        if (m_handle != nullptr)
            ::CloseServiceHandle(m_handle);
    }

    SC_HANDLE Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }

private:
    SC_HANDLE m_handle;
};
