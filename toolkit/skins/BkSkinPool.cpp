#include "toolkit/skins/BkSkinPool.h"

#include "toolkit/skins/BkImageSkin.h"
#include "toolkit/skins/BkPngSkin.h"
#include "toolkit/skins/BkSkinButton.h"

#include <cstring>

BkSkinPool& BkSkinPool::Instance() {
    // Never destroyed: elements look skins up while the process ends.
    static BkSkinPool* const instance = new BkSkinPool;
    return *instance;
}

void BkSkinPool::Clear() {
    m_skins.clear();
}

CBkSkinBase* BkSkinPool::Find(const std::string& name) const {
    const auto found = m_skins.find(name);
    return found == m_skins.end() ? nullptr : found->second.get();
}

bool BkSkinPool::Add(const std::string& name, std::unique_ptr<CBkSkinBase> skin) {
    return m_skins.emplace(name, std::move(skin)).second;
}

CBkSkinBase* GetSkin(const std::string& name) {
    CBkSkinBase* skin = BkSkinPool::Instance().Find(name);
    if (skin != nullptr)
        skin->Prepare();
    return skin;
}

CBkSkinBase* GetShownSkin(const std::string& name) {
    CBkSkinBase* skin = GetSkin(name);
    if (skin != nullptr && IsHighContrast() && skin->GetContrastRole() == ContrastRole::kUnset)
        return nullptr;
    return skin;
}

namespace {

template <typename Skin> std::unique_ptr<CBkSkinBase> Make() {
    return std::make_unique<Skin>();
}

} // namespace

std::unique_ptr<CBkSkinBase> CreateSkin(const char* tag) {
    static const struct {
        const char* tag;
        std::unique_ptr<CBkSkinBase> (*make)();
    } kTypes[] = {
        {CBkImageSkin::kTagName, Make<CBkImageSkin>},
        {CBkSkinImgFrame::kTagName, Make<CBkSkinImgFrame>},
        {CBkSkinButton::kTagName, Make<CBkSkinButton>},
        {CBkSkinImgHorzExtend::kTagName, Make<CBkSkinImgHorzExtend>},
        {CBkSkinGradation::kTagName, Make<CBkSkinGradation>},
        {CBkPngSkin::kTagName, Make<CBkPngSkin>},
        {CBkJpgSkin::kTagName, Make<CBkJpgSkin>},
    };
    for (const auto& type : kTypes) {
        if (std::strcmp(tag, type.tag) == 0)
            return type.make();
    }
    return nullptr;
}
