// Named groups of elements (image buttons, radio buttons) of which one at most is checked.
#pragma once

#include <string>

class CBkWindow;

namespace ElementGroups {

void Join(const std::string& group, unsigned handle);
void Leave(const std::string& group, unsigned handle);
// Whether a member of the group is checked.
bool AnyChecked(const std::string& group);
// Checks the element and unchecks every other checked member, which asks its view to repaint.
void CheckOnly(const std::string& group, CBkWindow& element);

} // namespace ElementGroups
