#pragma once

// Shared by the unit tests: a CEGUI system on CEGUI's null renderer (no
// display needed) started through CeguiFramework, and a private temporary folder.

#include "framework/cegui/CeguiFramework.hpp"
#include "framework/cegui/CeguiFrameworkInitHelper.hpp"

#include <CEGUI/CEGUI.h>
#include <CEGUI/RendererModules/Null/Renderer.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace velk_test {

/// A fresh folder below the system's temporary folder, removed at the end.
class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "velk-cegui-XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            throw std::runtime_error("cannot create a temporary folder");
        }
        path = pattern;
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::filesystem::path path;
};

inline void writeFile(const std::filesystem::path& file, const std::string& text)
{
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out << text;
}

inline std::string readFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

/// The game's own GUI data.
inline std::string guiDataFolder()
{
    return std::string(VELK_SOURCE_DIR) + "/data/gui";
}

class NullInitHelper : public CeguiFrameworkInitHelper {
public:
    NullInitHelper(std::string folder, std::string logPath) : folder(std::move(folder)), logPath(std::move(logPath)) {}

    void bootstrapCeguiRenderer() override { CEGUI::NullRenderer::bootstrapSystem(); }
    CEGUI::String getCeguiLogPath() override { return CEGUI::String(logPath.c_str()); }
    std::string getCeguiResourceFolderPath() override { return folder; }

    std::string folder;
    std::string logPath;
};

/// A started GUI with the game's data (skin GWEN loaded by the start script)
/// and a 800 x 600 root window.
class CeguiFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        NullInitHelper helper(guiDataFolder(), (temp.path / "gui.log").string());
        framework.init(&helper);
        ASSERT_TRUE(framework.isInitialised());
        CEGUI::System::getSingleton().notifyDisplaySizeChanged(CEGUI::Sizef(800, 600));
        root = CEGUI::WindowManager::getSingleton().createWindow("DefaultWindow", "Root");
        CEGUI::System::getSingleton().getDefaultGUIContext().setRootWindow(root);
    }

    CEGUI::Window* create(const CEGUI::String& type, const CEGUI::String& name, CEGUI::Window* parent = nullptr)
    {
        CEGUI::Window* window = CEGUI::WindowManager::getSingleton().createWindow(type, name);
        (parent ? parent : root)->addChild(window);
        return window;
    }

    /// A window at a pixel position with a pixel size.
    CEGUI::Window* createAt(CEGUI::Window* parent, const CEGUI::String& name, float x, float y, float w, float h)
    {
        CEGUI::Window* window = create("DefaultWindow", name, parent);
        window->setArea(CEGUI::UVector2(CEGUI::UDim(0, x), CEGUI::UDim(0, y)),
                        CEGUI::USize(CEGUI::UDim(0, w), CEGUI::UDim(0, h)));
        return window;
    }

    TempFolder temp;
    CeguiFramework framework;
    CEGUI::Window* root = nullptr;
};

/// Pixel rectangle of a window relative to its parent.
inline CEGUI::Rectf rectInParent(const CEGUI::Window* window)
{
    const CEGUI::Rectf outer = window->getUnclippedOuterRect().get();
    const CEGUI::Rectf parent = window->getParent()->getUnclippedInnerRect().get();
    return CEGUI::Rectf(outer.left() - parent.left(), outer.top() - parent.top(),
                        outer.right() - parent.left(), outer.bottom() - parent.top());
}

} // namespace velk_test
