#include "framework/cegui/CeguiStatusbarHandler.hpp"

#include <CEGUI/Window.h>

namespace {
const CEGUI::String LeftText("LeftText");
const CEGUI::String CenterText("CenterText");
const CEGUI::String RightText("RightText");
} // namespace

CeguiStatusbarHandler::CeguiStatusbarHandler(CEGUI::Window* statusbar) : statusbar(statusbar) {}

CEGUI::String CeguiStatusbarHandler::getLeftText() const
{
    return get(LeftText);
}
void CeguiStatusbarHandler::setLeftText(const CEGUI::String& text)
{
    set(LeftText, text);
}
CEGUI::String CeguiStatusbarHandler::getCenterText() const
{
    return get(CenterText);
}
void CeguiStatusbarHandler::setCenterText(const CEGUI::String& text)
{
    set(CenterText, text);
}
CEGUI::String CeguiStatusbarHandler::getRightText() const
{
    return get(RightText);
}
void CeguiStatusbarHandler::setRightText(const CEGUI::String& text)
{
    set(RightText, text);
}

CEGUI::String CeguiStatusbarHandler::get(const CEGUI::String& property) const
{
    return statusbar ? statusbar->getProperty(property) : CEGUI::String();
}

void CeguiStatusbarHandler::set(const CEGUI::String& property, const CEGUI::String& text)
{
    if (statusbar) {
        statusbar->setProperty(property, text);
    }
}
