// SfmlFramework: the volumes and the colour-blind filter.

#include "framework/sfml/SfmlFramework.hpp"

#include "foundation/tools/Log.hpp"
#include "framework/fx/AssetLoading.hpp"
#include "framework/sfml/X11Display.hpp"

#include <SFML/Audio/Listener.hpp>

float SfmlFramework::clampVolume(float v)
{
    // Written so that NaN lands on 100.
    if (v < 100.0f)
        return v > 0.0f ? v : 0.0f;
    return 100.0f;
}

void SfmlFramework::setMainVolume(float v)
{
    mainVolume = clampVolume(v);
    sf::Listener::setGlobalVolume(mainVolume);
}

void SfmlFramework::setMusicVolume(float v)
{
    musicVolume = clampVolume(v);
}

void SfmlFramework::setSoundVolume(float v)
{
    soundVolume = clampVolume(v);
}

void SfmlFramework::setColorblindType(ColorblindType t)
{
    if (t == colorblindType)
        return;
    colorblindType = t;
    updateColorblindShader();
}

void SfmlFramework::setColorblindMode(ColoblindMode m)
{
    if (m == colorblindMode)
        return;
    colorblindMode = m;
    updateColorblindShader();
}

std::string SfmlFramework::getColorblindShaderPath(ColorblindType t, ColoblindMode m)
{
    std::string path = "data/glsl/colorblind/";
    switch (t) {
    case Protanopia: path += "protanopia"; break;
    case Deuteranopia: path += "deuteranopia"; break;
    case Tritanopia: path += "tritanopia"; break;
    default: break;
    }
    if (m == ColorblindSym)
        path += ".sym";
    else if (m == ColorblindFix)
        path += ".fix";
    return path + ".frag";
}

void SfmlFramework::updateColorblindShader()
{
    if (colorblindType == ColorblindNone) {
        colorblindShader.reset();
        return;
    }
    const std::string path = getColorblindShaderPath(colorblindType, colorblindMode);
    // Shaders live in an OpenGL context, which SFML can only make on a display
    // (without one it aborts, even when deleting an empty shader). Without a
    // display there is no window to filter either.
    if (!window && !isX11DisplayAvailable()) {
        tools::log("SfmlFramework", "Colour-blind filter not loaded: no display");
        colorblindShader.reset();
        return;
    }
    colorblindShader = fx::loadShader(path, sf::Shader::Fragment);
    if (colorblindShader) {
        colorblindShader->setUniform("texture", sf::Shader::CurrentTexture);
        return;
    }
    // A shader that does not load stays empty and binds as no program: the
    // picture is drawn unfiltered.
    tools::log("SfmlFramework", "Colour-blind filter not loaded: \"" + path + "\"");
    colorblindShader = std::make_unique<sf::Shader>();
}

std::string SfmlFramework::getColorblindCode(ColorblindType t)
{
    switch (t) {
    case Protanopia: return "setting.graphics.colorblind.v1";
    case Deuteranopia: return "setting.graphics.colorblind.v2";
    case Tritanopia: return "setting.graphics.colorblind.v3";
    default: return "setting.graphics.colorblind.v0";
    }
}
