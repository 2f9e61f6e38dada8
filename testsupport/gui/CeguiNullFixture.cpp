#include "testsupport/gui/CeguiNullFixture.hpp"

#include <CEGUI/RendererModules/Null/Renderer.h>

#include <utility>

namespace velk_test {

std::string guiDataFolder()
{
    return std::string(VELK_SOURCE_DIR) + "/data/gui";
}

NullInitHelper::NullInitHelper(std::string folder, std::string logPath)
    : folder(std::move(folder)), logPath(std::move(logPath))
{}

void NullInitHelper::bootstrapCeguiRenderer()
{
    CEGUI::NullRenderer::bootstrapSystem();
}

CEGUI::String NullInitHelper::getCeguiLogPath()
{
    return CEGUI::String(logPath.c_str());
}

std::string NullInitHelper::getCeguiResourceFolderPath()
{
    return folder;
}

void CeguiFixture::SetUp()
{
    NullInitHelper helper(guiDataFolder(), (temp / "gui.log").string());
    framework.init(&helper);
    ASSERT_TRUE(framework.isInitialised());
    CEGUI::System::getSingleton().notifyDisplaySizeChanged(CEGUI::Sizef(800, 600));
    root = CEGUI::WindowManager::getSingleton().createWindow("DefaultWindow", "Root");
    CEGUI::System::getSingleton().getDefaultGUIContext().setRootWindow(root);
}

CEGUI::Window* CeguiFixture::create(const CEGUI::String& type, const CEGUI::String& name, CEGUI::Window* parent)
{
    CEGUI::Window* window = CEGUI::WindowManager::getSingleton().createWindow(type, name);
    (parent ? parent : root)->addChild(window);
    return window;
}

CEGUI::Window* CeguiFixture::createAt(CEGUI::Window* parent, const CEGUI::String& name, float x, float y, float w,
                                      float h)
{
    CEGUI::Window* window = create("DefaultWindow", name, parent);
    window->setArea(CEGUI::UVector2(CEGUI::UDim(0, x), CEGUI::UDim(0, y)),
                    CEGUI::USize(CEGUI::UDim(0, w), CEGUI::UDim(0, h)));
    return window;
}

CEGUI::Rectf rectInParent(const CEGUI::Window* window)
{
    const CEGUI::Rectf outer = window->getUnclippedOuterRect().get();
    const CEGUI::Rectf parent = window->getParent()->getUnclippedInnerRect().get();
    return CEGUI::Rectf(outer.left() - parent.left(), outer.top() - parent.top(), outer.right() - parent.left(),
                        outer.bottom() - parent.top());
}

} // namespace velk_test
