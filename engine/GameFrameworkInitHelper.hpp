#pragma once

#include <string>

class CeguiFrameworkInitHelper;
class SfmlFrameworkInitHelper;

/// Everything GameFramework::init takes from the program: the database path,
/// a hook before and after start-up, and the helpers of the window and GUI
/// layers. init calls, in this order: preInit, getDatabasePath,
/// getSfmlInitHelper, getCeguiInitHelper, postInit; nothing keeps the helper
/// after init returns.
class GameFrameworkInitHelper {
public:
    virtual ~GameFrameworkInitHelper();

    /// First step of start-up, before the database is opened. May throw: init
    /// then stops and the exception reaches init's caller.
    virtual void preInit() {}
    /// Last step of start-up; every layer is usable through the engine's
    /// getters (its validity queries still answer false here).
    virtual void postInit() {}
    virtual std::string getDatabasePath() = 0;
    virtual SfmlFrameworkInitHelper* getSfmlInitHelper() = 0;
    virtual CeguiFrameworkInitHelper* getCeguiInitHelper() = 0;
};
