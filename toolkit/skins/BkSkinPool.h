// The registry of skins by name, filled from the skin list.
#pragma once

#include "toolkit/skins/BkSkinBase.h"

#include <map>
#include <memory>
#include <string>

// Process-wide, created on first use and never destroyed. Owns its skins.
class BkSkinPool {
public:
    static BkSkinPool& Instance();

    // Destroys every skin.
    void Clear();
    // Null when there is no skin of that name.
    CBkSkinBase* Find(const std::string& name) const;
    // Registers the skin unless the name is taken; false (the skin discarded) when it is.
    bool Add(const std::string& name, std::unique_ptr<CBkSkinBase> skin);

private:
    BkSkinPool() = default;

    std::map<std::string, std::unique_ptr<CBkSkinBase>> m_skins;
};

// The skin of that name, prepared (on every lookup; preparing is done once), or null. A skin
// whose image could not be fetched is returned all the same and draws nothing.
CBkSkinBase* GetSkin(const std::string& name);

// As GetSkin, but null for a skin that a high-contrast theme leaves undrawn (one without a role),
// where the caller has a plain look of its own to draw instead.
CBkSkinBase* GetShownSkin(const std::string& name);

// A new skin of the type that the tag names, or null for an unknown tag.
std::unique_ptr<CBkSkinBase> CreateSkin(const char* tag);
