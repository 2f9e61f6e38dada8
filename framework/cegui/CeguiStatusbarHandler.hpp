#pragma once

#include <CEGUI/String.h>

namespace CEGUI {
class Window;
}

/// Reads and writes the three texts of a status bar window, held in its
/// properties "LeftText", "CenterText" and "RightText" (the window's look
/// defines them). Without a window, getters give "" and setters do nothing.
class CeguiStatusbarHandler {
public:
    explicit CeguiStatusbarHandler(CEGUI::Window* statusbar = nullptr);
    virtual ~CeguiStatusbarHandler() = default;

    CEGUI::Window* getStatusBar() const { return statusbar; }
    void setStatusbar(CEGUI::Window* window) { statusbar = window; }

    CEGUI::String getLeftText() const;
    void setLeftText(const CEGUI::String& text);
    CEGUI::String getCenterText() const;
    void setCenterText(const CEGUI::String& text);
    CEGUI::String getRightText() const;
    void setRightText(const CEGUI::String& text);

private:
    CEGUI::String get(const CEGUI::String& property) const;
    void set(const CEGUI::String& property, const CEGUI::String& text);

    CEGUI::Window* statusbar;
};
