// The element tests' common set-up: the test skins and the element style sheet.
#pragma once

#include "toolkit/skins/BkImagePools.h"
#include "toolkit/skins/SkinListLoader.h"
#include "toolkit/styles/StyleSheetLoader.h"

#include "ToolkitTestResources.h"

#include <gtest/gtest.h>

class ElementTestBase : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        BkPngPool::Instance().Clear();
        ASSERT_TRUE(LoadSkins(IDR_TEST_SKINS));
        ASSERT_TRUE(LoadStyles(IDR_ELEMENT_STYLES));
    }
};
