#pragma once

#include "engine/GameFrameworkInitHelper.hpp"
#include "framework/cegui/CeguiFrameworkInitHelper.hpp"
#include "framework/sfml/SfmlFrameworkInitHelper.hpp"

#include <string>
#include <utility>

/// An init helper that is all three helpers at once: "app.db", a window titled
/// "App" with the icon "icon.png" and every other window value from the
/// graphics settings (asked of GameFramework::Singleton at each call, so they
/// come from the database just opened), and a GUI on CEGUI's OpenGL renderer
/// with its log in "cegui.log" and its data in "cegui". Programs derive from
/// it and override what they need.
class GameFrameworkDefaultInitHelper : public GameFrameworkInitHelper,
                                       public SfmlFrameworkInitHelper,
                                       public CeguiFrameworkInitHelper {
public:
    GameFrameworkDefaultInitHelper() = default;
    ~GameFrameworkDefaultInitHelper() override;

    void preInit() override {}
    void postInit() override {}
    std::string getDatabasePath() override;
    SfmlFrameworkInitHelper* getSfmlInitHelper() override { return this; }
    CeguiFrameworkInitHelper* getCeguiInitHelper() override { return this; }

    std::pair<unsigned, unsigned> getResolution() override;
    bool isFullscreen() override;
    std::string getWindowTitle() override;
    bool isResizable() override;
    unsigned getFSAA() override;
    std::string getFSAAHint() override;
    bool isVsyncEnabled() override;

    std::string getWindowIconPath() override;
    bool isMouseVisible() override;
    float getFPS() override;

    /// CEGUI's OpenGL renderer in the window's context. Throws
    /// std::runtime_error when there is no window to draw into.
    void bootstrapCeguiRenderer() override;
    CEGUI::String getCeguiLogPath() override;
    std::string getCeguiResourceFolderPath() override;
};
