#include "toolkit/styles/DisplayScale.h"

namespace {

thread_local int t_dpi = kDefaultDpi;

} // namespace

int CurrentDpi() {
    return t_dpi;
}

DpiScope::DpiScope(int dpi) : m_previous(t_dpi) {
    t_dpi = dpi;
}

DpiScope::~DpiScope() {
    t_dpi = m_previous;
}
