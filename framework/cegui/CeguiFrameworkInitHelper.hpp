#pragma once

#include <CEGUI/String.h>

#include <string>

/// What the program's start-up configuration tells CeguiFramework::init:
/// how the renderer is made, where the GUI log goes and where the GUI data lies.
/// The framework uses the helper only inside init; it keeps no pointer to it.
class CeguiFrameworkInitHelper {
public:
    virtual ~CeguiFrameworkInitHelper() = default;

    /// Creates the CEGUI renderer and the CEGUI system with it (for example
    /// CEGUI::OpenGLRenderer::bootstrapSystem). The framework owns both from
    /// then on and destroys them in CeguiFramework::shutdown.
    virtual void bootstrapCeguiRenderer() = 0;
    /// File that receives CEGUI's own log; rewritten at every start.
    virtual CEGUI::String getCeguiLogPath() { return "Cegui.log"; }
    /// Folder holding the GUI data subfolders (fonts, schemes, scripts ...).
    virtual std::string getCeguiResourceFolderPath() = 0;
};
