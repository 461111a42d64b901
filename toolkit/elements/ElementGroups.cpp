#include "toolkit/elements/ElementGroups.h"

#include "toolkit/elements/BkWindow.h"
#include "toolkit/elements/ElementRegistry.h"

#include <algorithm>
#include <map>
#include <vector>

namespace {

// Guarded by the registry's lock.
std::map<std::string, std::vector<unsigned>>& Groups() {
    static auto* const groups = new std::map<std::string, std::vector<unsigned>>;
    return *groups;
}

CriticalSection& Lock() {
    return ElementRegistry::Instance().Lock();
}

} // namespace

namespace ElementGroups {

void Join(const std::string& group, unsigned handle) {
    CriticalSectionLock lock(Lock());
    Groups()[group].push_back(handle);
}

void Leave(const std::string& group, unsigned handle) {
    CriticalSectionLock lock(Lock());
    const auto found = Groups().find(group);
    if (found == Groups().end())
        return;
    std::vector<unsigned>& members = found->second;
    members.erase(std::remove(members.begin(), members.end(), handle), members.end());
    if (members.empty())
        Groups().erase(found);
}

bool AnyChecked(const std::string& group) {
    CriticalSectionLock lock(Lock());
    const auto found = Groups().find(group);
    if (found == Groups().end())
        return false;
    for (unsigned handle : found->second) {
        const CBkWindow* member = FindElement(handle);
        if (member != nullptr && (member->GetState() & kStateChecked))
            return true;
    }
    return false;
}

void CheckOnly(const std::string& group, CBkWindow& element) {
    CriticalSectionLock lock(Lock());
    element.ModifyState(kStateChecked, 0);
    const auto found = Groups().find(group);
    if (found == Groups().end())
        return;
    for (unsigned handle : found->second) {
        CBkWindow* member = FindElement(handle);
        if (member == nullptr || member == &element || !(member->GetState() & kStateChecked))
            continue;
        member->ModifyState(0, kStateChecked);
        member->NotifyInvalidate(member->GetRect());
    }
}

} // namespace ElementGroups
