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

template <class T>
T GraphicsSubSettings::get(const char* key) const
{
    return getSettings() ? getSettings()->getSetting<T>(key) : T{};
}

template <class T>
void GraphicsSubSettings::set(const char* key, const T& value)
{
    if (getSettings())
        getSettings()->setSetting<T>(key, value);
}

std::pair<unsigned int, unsigned int> GraphicsSubSettings::getResolution() const
{
    // Only the first word reaches the parser: "1024 x 768" reads as 1024.
    return tools::str2res(get<std::string>(kResolution));
}

void GraphicsSubSettings::setResolution(const std::pair<unsigned int, unsigned int>& resolution)
{
    set<std::string>(kResolution, tools::res2str(resolution));
}

void GraphicsSubSettings::setResolution(const int& width, const int& height)
{
    set<std::string>(kResolution,
                     tools::res2str(static_cast<unsigned int>(width), static_cast<unsigned int>(height)));
}

std::string GraphicsSubSettings::getFSAAHint() const { return getSetting(kFsaaHint); }
void GraphicsSubSettings::setFSAAHint(std::string hint) { setSetting(kFsaaHint, std::move(hint)); }

float GraphicsSubSettings::getFPS() const { return get<float>(kFps); }
void GraphicsSubSettings::setFPS(float fps) { set<float>(kFps, fps); }

bool GraphicsSubSettings::isFullscreen() const { return get<bool>(kFullscreen); }
void GraphicsSubSettings::setFullscreen(bool fullscreen) { set<bool>(kFullscreen, fullscreen); }

bool GraphicsSubSettings::isResizable() const { return get<bool>(kResizable); }
void GraphicsSubSettings::setResizable(bool resizable) { set<bool>(kResizable, resizable); }

bool GraphicsSubSettings::isVsyncEnabled() const { return get<bool>(kVsync); }
void GraphicsSubSettings::setVsyncEnabled(bool enabled) { set<bool>(kVsync, enabled); }

bool GraphicsSubSettings::isMouseVisible() const { return get<bool>(kMouseVisible); }
void GraphicsSubSettings::setMouseVisible(bool visible) { set<bool>(kMouseVisible, visible); }

unsigned int GraphicsSubSettings::getFSAA() const { return get<unsigned int>(kFsaa); }
void GraphicsSubSettings::setFSAA(unsigned int level) { set<unsigned int>(kFsaa, level); }

unsigned int GraphicsSubSettings::getColorblindType() const { return get<unsigned int>(kColorblind); }
void GraphicsSubSettings::setColorblindType(unsigned int type) { set<unsigned int>(kColorblind, type); }
