#include "app/GraphicsSubSettings.hpp"

#include "app/Resolution.hpp"

namespace {
const char* const kResolution = "graphics.resolution";
const char* const kFsaaHint = "graphics.fsaahint";
const char* const kFps = "graphics.fps";
const char* const kFullscreen = "graphics.fullscreen";
const char* const kResizable = "graphics.resizable";
const char* const kVsync = "graphics.vsyncenabled";
const char* const kMouseVisible = "graphics.mousevisible";
const char* const kFsaa = "graphics.fsaa";
const char* const kColorblind = "graphics.colorblind";
} // namespace

std::pair<unsigned int, unsigned int> GraphicsSubSettings::getResolution() const
{
    // Only the first word reaches the parser: "1024 x 768" reads as 1024.
    return tools::str2res(getTyped<std::string>(kResolution));
}

void GraphicsSubSettings::setResolution(const std::pair<unsigned int, unsigned int>& resolution)
{
    setTyped<std::string>(kResolution, tools::res2str(resolution));
}

void GraphicsSubSettings::setResolution(const int& width, const int& height)
{
    setTyped<std::string>(kResolution,
                          tools::res2str(static_cast<unsigned int>(width), static_cast<unsigned int>(height)));
}

std::string GraphicsSubSettings::getFSAAHint() const
{
    return getSetting(kFsaaHint);
}
void GraphicsSubSettings::setFSAAHint(std::string hint)
{
    setSetting(kFsaaHint, std::move(hint));
}

float GraphicsSubSettings::getFPS() const
{
    return getTyped<float>(kFps);
}
void GraphicsSubSettings::setFPS(float fps)
{
    setTyped<float>(kFps, fps);
}

bool GraphicsSubSettings::isFullscreen() const
{
    return getTyped<bool>(kFullscreen);
}
void GraphicsSubSettings::setFullscreen(bool fullscreen)
{
    setTyped<bool>(kFullscreen, fullscreen);
}

bool GraphicsSubSettings::isResizable() const
{
    return getTyped<bool>(kResizable);
}
void GraphicsSubSettings::setResizable(bool resizable)
{
    setTyped<bool>(kResizable, resizable);
}

bool GraphicsSubSettings::isVsyncEnabled() const
{
    return getTyped<bool>(kVsync);
}
void GraphicsSubSettings::setVsyncEnabled(bool enabled)
{
    setTyped<bool>(kVsync, enabled);
}

bool GraphicsSubSettings::isMouseVisible() const
{
    return getTyped<bool>(kMouseVisible);
}
void GraphicsSubSettings::setMouseVisible(bool visible)
{
    setTyped<bool>(kMouseVisible, visible);
}

unsigned int GraphicsSubSettings::getFSAA() const
{
    return getTyped<unsigned int>(kFsaa);
}
void GraphicsSubSettings::setFSAA(unsigned int level)
{
    setTyped<unsigned int>(kFsaa, level);
}

unsigned int GraphicsSubSettings::getColorblindType() const
{
    return getTyped<unsigned int>(kColorblind);
}
void GraphicsSubSettings::setColorblindType(unsigned int type)
{
    setTyped<unsigned int>(kColorblind, type);
}
