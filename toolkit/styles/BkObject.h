// The base of everything configured from XML attributes: styles, skins and elements.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>

class TiXmlElement;

class CBkObject {
public:
    virtual ~CBkObject() = default;

    virtual bool MatchesTag(const char* name) const = 0;
    virtual const char* GetTagName() const = 0;
    // Applies every attribute in document order through SetAttribute, results ignored.
    virtual bool Load(const TiXmlElement* element);
    // 0 or 1 (the drawing changed) when the attribute was taken, E_FAIL when it was not.
    // Values are the parser's UTF-8; names compare case-sensitively.
    virtual HRESULT SetAttribute(const std::string& name, const std::string& value, bool loading);
};

// The tag a concrete class answers to: names it for the factories and for MatchesTag.
#define BK_TAG_NAME(tag)                                                                           \
public:                                                                                            \
    static constexpr const char* kTagName = tag;                                                   \
    bool MatchesTag(const char* name) const override {                                             \
        return std::strcmp(name, tag) == 0;                                                        \
    }                                                                                              \
    const char* GetTagName() const override {                                                      \
        return tag;                                                                                \
    }
