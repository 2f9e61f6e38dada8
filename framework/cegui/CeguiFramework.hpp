#pragma once

#include "foundation/tools/NonCopyable.hpp"
#include "framework/cegui/CeguiAccentRoomParser.hpp"
#include "framework/cegui/CeguiFlowLayout.hpp"
#include "framework/cegui/CeguiGridLayout.hpp"

#include <CEGUI/Event.h>
#include <CEGUI/String.h>

#include <list>
#include <memory>

namespace CEGUI {
class EventArgs;
class Logger;
class LuaScriptModule;
class Window;
class WindowFactory;
} // namespace CEGUI

class CeguiFrameworkInitHelper;

/// Starts and stops CEGUI for the whole run: log, renderer (through the init
/// helper), resource groups, Lua scripting with the start script
/// "init_script.lua", the window type "CanvasWidget", and texts parsed with
/// room for the accents of capitals (CeguiAccentRoomParser). Afterwards it finds
/// windows by path and owns the automatic layouts attached to windows.
class CeguiFramework : public tools::NonCopyable {
public:
    CeguiFramework();
    /// shutdown(), then releases the remaining layouts.
    ~CeguiFramework() override;

    /// Runs the start-up once; does nothing while initialised. A renderer that
    /// cannot start or a broken or missing start script is logged and its
    /// exception passes on, with nothing of CEGUI left behind.
    void init(CeguiFrameworkInitHelper* helper);
    /// Destroys the CEGUI system, its renderer and resource provider, the Lua
    /// module and the log this object created; does nothing when not initialised.
    void shutdown();
    bool isInitialised() const { return initialised; }

    /// Root window of the default GUI context; null when there is none.
    CEGUI::Window* getRootWindow() const;
    /// The root for an empty path, else the root's descendant at the path
    /// ("A/B"); null without a root window. A path naming no window throws
    /// CEGUI's UnknownObjectException.
    CEGUI::Window* getWindow(const CEGUI::String& path) const;

    /// A flow layout bound to the container; owned by this object.
    CeguiFlowLayout* createFlowLayout(CEGUI::Window* container, CeguiFlowLayout::Mode mode);
    /// A grid layout bound to the container; owned by this object.
    CeguiGridLayout* crateGridLayout(CEGUI::Window* container, CeguiGridLayout::Mode mode);
    /// Binds the layout to the container and takes ownership; a layout kept
    /// earlier for that window is deleted. The layout goes when its window is destroyed.
    void setupLayout(CEGUI::Window* container, CeguiLayout* layout);
    /// Deletes the layout kept for the window, if any.
    void removeLayout(CEGUI::Window* container);
    /// The layout kept for the window, or null.
    CeguiLayout* findLayout(const CEGUI::Window* container) const;
    size_t getLayoutCount() const { return layouts.size(); }
    /// Handler of a container's destruction: drops its layout.
    bool onLayoutDestructionStarted(const CEGUI::EventArgs& args);

    void initLog(const CEGUI::String& path);
    void initResources(const CEGUI::String& folder);
    void initLuaScripting();

private:
    void registerWindowTypes();
    void destroySystem();
    void releaseLogger();
    void dropLayouts();

    bool initialised = false;
    std::list<std::shared_ptr<CeguiLayout>> layouts;
    /// Subscriptions to the containers' destruction, cut when this object goes.
    std::list<CEGUI::Event::Connection> destructionConnections;
    /// The logger this object created (null when one existed before).
    CEGUI::Logger* ownLogger = nullptr;
    CEGUI::LuaScriptModule* scriptModule = nullptr;
    /// Factory of the validating edit box, when CEGUI lacks its own validator.
    std::unique_ptr<CEGUI::WindowFactory> editboxFactory;
    /// Every window's text parser; it outlives the system that uses it.
    CeguiAccentRoomParser textParser;
};
