#include "framework/cegui/CeguiFramework.hpp"

// The GL renderer header pulls in GLEW, which must come before any gl.h.
#include <CEGUI/RendererModules/OpenGL/GLRenderer.h>

#include "foundation/tools/Log.hpp"
#include "framework/cegui/CeguiCanvasWidget.hpp"
#include "framework/cegui/CeguiEditbox.hpp"
#include "framework/cegui/CeguiFrameworkInitHelper.hpp"
#include "framework/cegui/CeguiString.hpp"

#include <CEGUI/AnimationManager.h>
#include <CEGUI/DefaultLogger.h>
#include <CEGUI/DefaultResourceProvider.h>
#include <CEGUI/Exceptions.h>
#include <CEGUI/Font.h>
#include <CEGUI/GUIContext.h>
#include <CEGUI/ImageManager.h>
#include <CEGUI/RendererModules/Null/Renderer.h>
#include <CEGUI/Scheme.h>
#include <CEGUI/ScriptModule.h>
#include <CEGUI/ScriptModules/Lua/ScriptModule.h>
#include <CEGUI/System.h>
#include <CEGUI/TplWindowFactory.h>
#include <CEGUI/WindowFactoryManager.h>
#include <CEGUI/WindowManager.h>
#include <CEGUI/falagard/WidgetLookManager.h>

#include <algorithm>
#include <exception>

namespace {

void logLine(const std::string& text)
{
    tools::log("CeguiFramework", text);
}

} // namespace

CeguiFramework::CeguiFramework() = default;

CeguiFramework::~CeguiFramework()
{
    shutdown();
    // Layouts set up on windows of a CEGUI system this object does not own
    // must not call back into it once it is gone.
    dropLayouts();
}

void CeguiFramework::init(CeguiFrameworkInitHelper* helper)
{
    if (initialised) {
        return;
    }
    if (!helper) {
        logLine("init failed: no init helper");
        return;
    }
    logLine("init started");
    initLog(helper->getCeguiLogPath());
    try {
        helper->bootstrapCeguiRenderer();
    } catch (...) {
        logLine("init failed: the GUI renderer could not be started");
        releaseLogger();
        throw;
    }
    if (!CEGUI::System::getSingletonPtr()) {
        logLine("init failed: the init helper created no CEGUI system");
        releaseLogger();
        return;
    }
    try {
        // Decoded as UTF-8, so a folder below a path with accented letters is found.
        initResources(utf8ToCeguiString(helper->getCeguiResourceFolderPath()));
        CEGUI::System::getSingleton().setDefaultCustomRenderedStringParser(&textParser);
        initLuaScripting();
        registerWindowTypes();
    } catch (...) {
        // A GUI without its start script has no skin to show; nothing of it stays.
        destroySystem();
        throw;
    }
    initialised = true;
    logLine("init ended");
}

void CeguiFramework::shutdown()
{
    if (!initialised) {
        return;
    }
    logLine("shutdown started");
    // Every window goes with the system; drop the layouts while their
    // containers still exist.
    dropLayouts();
    destroySystem();
    initialised = false;
    logLine("shutdown ended");
}

CEGUI::Window* CeguiFramework::getRootWindow() const
{
    CEGUI::System* system = CEGUI::System::getSingletonPtr();
    return system ? system->getDefaultGUIContext().getRootWindow() : nullptr;
}

CEGUI::Window* CeguiFramework::getWindow(const CEGUI::String& path) const
{
    CEGUI::Window* root = getRootWindow();
    if (!root || path.empty()) {
        return root;
    }
    return root->getChild(path);
}

CeguiFlowLayout* CeguiFramework::createFlowLayout(CEGUI::Window* container, CeguiFlowLayout::Mode mode)
{
    auto* layout = new CeguiFlowLayout(mode);
    setupLayout(container, layout);
    return layout;
}

CeguiGridLayout* CeguiFramework::crateGridLayout(CEGUI::Window* container, CeguiGridLayout::Mode mode)
{
    auto* layout = new CeguiGridLayout(mode);
    setupLayout(container, layout);
    return layout;
}

void CeguiFramework::setupLayout(CEGUI::Window* container, CeguiLayout* layout)
{
    if (!layout) {
        return;
    }
    // A layout already kept (moving to another window) keeps its one owner.
    std::shared_ptr<CeguiLayout> owner;
    const auto kept = std::find_if(layouts.begin(), layouts.end(), [layout](const std::shared_ptr<CeguiLayout>& entry) {
        return entry.get() == layout;
    });
    if (kept != layouts.end()) {
        owner = *kept;
        layouts.erase(kept);
    } else {
        owner.reset(layout);
    }
    removeLayout(container);
    layout->setContainer(container);
    // Forget subscriptions whose windows are gone.
    destructionConnections.remove_if(
        [](const CEGUI::Event::Connection& connection) { return !connection->connected(); });
    layouts.push_back(std::move(owner));
    if (container) {
        destructionConnections.push_back(
            container->subscribeEvent(CEGUI::Window::EventDestructionStarted,
                                      CEGUI::Event::Subscriber(&CeguiFramework::onLayoutDestructionStarted, this)));
    }
}

void CeguiFramework::removeLayout(CEGUI::Window* container)
{
    const auto found = std::find_if(
        layouts.begin(), layouts.end(),
        [container](const std::shared_ptr<CeguiLayout>& layout) { return layout->getContainer() == container; });
    if (found != layouts.end()) {
        layouts.erase(found);
    }
}

CeguiLayout* CeguiFramework::findLayout(const CEGUI::Window* container) const
{
    for (const auto& layout : layouts) {
        if (layout->getContainer() == container) {
            return layout.get();
        }
    }
    return nullptr;
}

bool CeguiFramework::onLayoutDestructionStarted(const CEGUI::EventArgs& args)
{
    CEGUI::Window* window = static_cast<const CEGUI::WindowEventArgs&>(args).window;
    // The subscription stays: disconnecting it now would change the
    // subscriber list CEGUI is walking. It dies with the window.
    removeLayout(window);
    return true;
}

void CeguiFramework::initLog(const CEGUI::String& path)
{
    CEGUI::Logger* logger = CEGUI::Logger::getSingletonPtr();
    if (!logger) {
        ownLogger = new CEGUI::DefaultLogger();
        logger = ownLogger;
    }
    try {
        logger->setLogFilename(path, false);
    } catch (const CEGUI::Exception&) {
        // Until it has a file, CEGUI's logger keeps every message in memory,
        // for the whole run: give it one that drops them.
        logLine("GUI log file '" + ceguiStringToUtf8(path) + "' cannot be written; GUI log messages are dropped");
        try {
            logger->setLogFilename("/dev/null", false);
        } catch (const CEGUI::Exception&) {
            logger->setLoggingLevel(CEGUI::Errors);
        }
    }
}

void CeguiFramework::initResources(const CEGUI::String& folder)
{
    auto* provider = dynamic_cast<CEGUI::DefaultResourceProvider*>(CEGUI::System::getSingleton().getResourceProvider());
    if (!provider) {
        logLine("the GUI resource provider has no resource groups; GUI data cannot be found");
        return;
    }
    provider->setResourceGroupDirectory("Animations", folder + "/animations");
    provider->setResourceGroupDirectory("Fonts", folder + "/fonts");
    provider->setResourceGroupDirectory("Imagesets", folder + "/imagesets");
    provider->setResourceGroupDirectory("LookNFeel", folder + "/looknfeel");
    provider->setResourceGroupDirectory("Schemes", folder + "/schemes");
    provider->setResourceGroupDirectory("Layouts", folder + "/layouts");
    provider->setResourceGroupDirectory("Scripts", folder + "/scripts");
    provider->setResourceGroupDirectory("Root", "");

    CEGUI::AnimationManager::setDefaultResourceGroup("Animations");
    CEGUI::Font::setDefaultResourceGroup("Fonts");
    CEGUI::ImageManager::setImagesetDefaultResourceGroup("Imagesets");
    CEGUI::WidgetLookManager::setDefaultResourceGroup("LookNFeel");
    CEGUI::Scheme::setDefaultResourceGroup("Schemes");
    CEGUI::WindowManager::setDefaultResourceGroup("Layouts");
    CEGUI::ScriptModule::setDefaultResourceGroup("Scripts");
}

void CeguiFramework::initLuaScripting()
{
    if (!scriptModule) {
        scriptModule = &CEGUI::LuaScriptModule::create();
    }
    CEGUI::System& system = CEGUI::System::getSingleton();
    system.setScriptingModule(scriptModule);
    // A broken or missing start script is reported here and ends the start:
    // the caller decides what a GUI without its skin means.
    try {
        system.executeScriptFile("init_script.lua", "");
    } catch (...) {
        logLine("start script init_script.lua failed: " + exceptionText(std::current_exception()));
        throw;
    }
}

void CeguiFramework::registerWindowTypes()
{
    // CEGUI keeps a factory added this way for the whole process and hands it
    // to every later factory manager by itself, so a restarted GUI already has
    // it: the manager, not only the flag, tells whether it is there.
    CEGUI::WindowFactoryManager& factories = CEGUI::WindowFactoryManager::getSingleton();
    if (!factories.isFactoryPresent(CeguiCanvasWidget::WidgetTypeName)) {
        CEGUI::WindowFactoryManager::addFactory<CEGUI::TplWindowFactory<CeguiCanvasWidget>>();
    }
    CeguiCustomWidget<CeguiCanvasWidget>::sIsInited = true;

    // Without a validator of CEGUI's own, a spinner cannot even be created.
    CEGUI::System& system = CEGUI::System::getSingleton();
    if (CEGUI::RegexMatcher* builtIn = system.createRegexMatcher()) {
        system.destroyRegexMatcher(builtIn);
    } else {
        factories.removeFactory(CeguiEditbox::WidgetTypeName);
        editboxFactory = std::make_unique<CEGUI::TplWindowFactory<CeguiEditbox>>();
        factories.addFactory(editboxFactory.get());
    }
}

void CeguiFramework::destroySystem()
{
    if (CEGUI::System* system = CEGUI::System::getSingletonPtr()) {
        // Script handlers are released with the windows, while Lua still runs.
        system->setScriptingModule(nullptr);
        CEGUI::Renderer* renderer = system->getRenderer();
        if (dynamic_cast<CEGUI::OpenGLRenderer*>(renderer)) {
            CEGUI::OpenGLRenderer::destroySystem();
        } else if (dynamic_cast<CEGUI::NullRenderer*>(renderer)) {
            CEGUI::NullRenderer::destroySystem();
        } else {
            CEGUI::System::destroy();
            logLine("unknown GUI renderer left to its creator");
        }
    }
    // The factory manager went with the system; the factory is ours to delete.
    editboxFactory.reset();
    if (scriptModule) {
        CEGUI::LuaScriptModule::destroy(*scriptModule);
        scriptModule = nullptr;
    }
    releaseLogger();
}

void CeguiFramework::dropLayouts()
{
    for (auto& connection : destructionConnections) {
        connection->disconnect();
    }
    destructionConnections.clear();
    layouts.clear();
}

void CeguiFramework::releaseLogger()
{
    delete ownLogger;
    ownLogger = nullptr;
}
