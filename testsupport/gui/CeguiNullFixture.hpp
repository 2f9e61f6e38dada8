#pragma once

// A CEGUI system on CEGUI's null renderer (no display needed) started through
// CeguiFramework, for unit tests of the GUI layer and of the screens above it.

#include "framework/cegui/CeguiFramework.hpp"
#include "framework/cegui/CeguiFrameworkInitHelper.hpp"
#include "testsupport/TempFolder.hpp"
#include "testsupport/gui/GuiData.hpp"

#include <CEGUI/CEGUI.h>

#include <gtest/gtest.h>

#include <string>

namespace velk_test {

class NullInitHelper : public CeguiFrameworkInitHelper {
public:
    NullInitHelper(std::string folder, std::string logPath);

    void bootstrapCeguiRenderer() override;
    CEGUI::String getCeguiLogPath() override;
    std::string getCeguiResourceFolderPath() override;

    std::string folder;
    std::string logPath;
};

/// A started GUI with the game's data (skin GWEN loaded by the start script),
/// its log in a private folder, and a 800 x 600 root window.
class CeguiFixture : public ::testing::Test {
protected:
    void SetUp() override;

    CEGUI::Window* create(const CEGUI::String& type, const CEGUI::String& name, CEGUI::Window* parent = nullptr);
    /// A window at a pixel position with a pixel size.
    CEGUI::Window* createAt(CEGUI::Window* parent, const CEGUI::String& name, float x, float y, float w, float h);

    TempFolder temp;
    CeguiFramework framework;
    CEGUI::Window* root = nullptr;
};

/// Pixel rectangle of a window relative to its parent.
CEGUI::Rectf rectInParent(const CEGUI::Window* window);

} // namespace velk_test
