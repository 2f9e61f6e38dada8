#pragma once

#include "foundation/tools/NonCopyable.hpp"
#include "framework/fx/ActionMap.hpp"
#include "framework/sfml/SfmlEventListener.hpp"
#include "framework/sfml/SfmlFrameworkInitHelper.hpp"
#include "framework/sfml/SfmlListenerList.hpp"
#include "framework/sfml/SfmlStaticTexture.hpp"

#include <SFML/Audio/Music.hpp>
#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Shader.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/System/Vector2.hpp>

#include <atomic>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class SfmlState;

/// The program's one window: created from an init helper, re-created when a
/// window setting changes, polled once per frame. Its events go to registered
/// SfmlEventListener objects while the window has focus. It also carries the
/// frame-rate limit and the fixed frame time, the three volumes, the mouse
/// position and movement, the colour-blind filter and the F11 screenshot.
class SfmlFramework : public tools::NonCopyable {
public:
    enum ColorblindType : unsigned {
        ColorblindNone = 0,
        Protanopia = 1,
        Deuteranopia = 2,
        Tritanopia = 3,
    };
    /// Which shader of a type is used: the simulation (".sym") or the
    /// correction (".fix").
    enum ColoblindMode : unsigned {
        ColorblindSym = 0,
        ColorblindFix = 1,
    };

    /// Frame-rate choices offered by the settings menu: label and value.
    static const std::vector<std::pair<std::string, unsigned>> sFpsList;

    /// One-pixel textures in SFML's colours, made on first use.
    static const SfmlStaticTexture sBlackTexture;
    static const SfmlStaticTexture sWhiteTexture;
    static const SfmlStaticTexture sRedTexture;
    static const SfmlStaticTexture sGreenTexture;
    static const SfmlStaticTexture sBlueTexture;
    static const SfmlStaticTexture sCyanTexture;
    static const SfmlStaticTexture sMagentaTexture;
    static const SfmlStaticTexture sYellowTexture;
    static const SfmlStaticTexture sTransparentTexture;
    /// A 1 x 1 texture of the colour (needs an OpenGL context, which SFML makes
    /// on demand when a display is available).
    static sf::Texture genStaticTexture(const sf::Color& color);

    /// Frame rate used when the configured one is 0 or not usable.
    static constexpr unsigned DefaultFps = 60;
    /// Window size used when the configured one is not usable.
    static constexpr unsigned DefaultWidth = 800;
    static constexpr unsigned DefaultHeight = 600;

    SfmlFramework();
    ~SfmlFramework() override;

    // --- Lifecycle and window ---------------------------------------------

    /// Reads the helper and opens the window; nothing when already initialised.
    void init(SfmlFrameworkInitHelper* helper);
    /// Closes the window; nothing unless initialised.
    void shutdown();
    /// Deletes the window alone.
    void shutdownRenderWindow();
    bool isInitialised() const { return initialised; }

    /// The window; null before init, after shutdown, or when no display could
    /// be opened.
    sf::RenderWindow* getWindow() const { return window.get(); }
    /// The window as a render target; valid only while the window exists.
    sf::RenderTarget& getRenderTarget() const { return *window; }
    /// The window's SFML style as the settings give it: close, plus full
    /// screen and resize as set. SFML still asks the window manager for a
    /// title bar on a windowed window.
    sf::Uint32 getRenderWindowFlag() const;
    /// Lets the state draw to this framework; a null state is ignored.
    SfmlState* setupState(SfmlState* state);

    // --- Window settings ----------------------------------------------------

    std::pair<unsigned, unsigned> getResolution() const { return resolution; }
    /// Stores and always re-creates the window, even for the current size. A
    /// width or height of 0 (or beyond what X11 allows) gives the default size.
    void setResolution(std::pair<unsigned, unsigned> size);
    void setResolution(unsigned width, unsigned height);
    bool isFullscreen() const { return fullscreen; }
    void setFullscreen(bool on);
    void swapFullscreen();
    unsigned getFPS() const { return fps; }
    /// The fixed step of every update: 1 / getFPS() seconds.
    float getFrameTime() const { return frameTime; }
    /// Sets the frame-rate limit; 0 gives the default of 60.
    void setFPS(unsigned n);
    unsigned getAntiAliasing() const { return antiAliasing; }
    void setAntiAliasing(unsigned level);
    bool isVsyncEnabled() const { return vsync; }
    void setVsyncEnabled(bool on);
    void swapVsyncEnabled();
    const std::string& getWindowTitle() const { return windowTitle; }
    void setWindowTitle(const std::string& title);
    const std::string& getIconPath() const { return iconPath; }
    void setIconPath(const std::string& path);
    /// Loads the icon at the stored path and sets it; an image that cannot be
    /// loaded is logged and leaves the window's icon as it was.
    void updateWindowIcon();
    bool isKeyRepeatEnabled() const { return keyRepeat; }
    void setKeyRepeatEnabled(bool on);
    void swapKeyRepeatEnabled();
    bool isCursorVisible() const { return cursorVisible; }
    void setCursorVisible(bool on);
    void swapCursorVisible();
    bool isWindowResizable() const { return resizable; }
    void setWindowResizable(bool on);
    void swapWindowResizable();

    // --- Focus and closing --------------------------------------------------

    bool isWindowFocused() const { return focused; }
    bool isCloseEnabled() const { return closeEnabled; }
    /// With closing disabled, a Closed event is handed to the listeners like
    /// any other event and the window stays open. Safe from any thread (the
    /// play screen writes it from its loading thread).
    void setCloseEnabled(bool on) { closeEnabled = on; }

    // --- Events and listeners -----------------------------------------------

    /// Handles the pending window events; false when the window is not open.
    bool pollEvent();
    /// Safe from any thread and from inside a listener (see SfmlListenerList).
    void addListener(SfmlEventListener* listener);
    void removeListener(SfmlEventListener* listener);
    void removeAllListeners();
    /// beforeSfHandle on every listener, without a focus test.
    void callListenersPreHandle();
    /// handleSfEvent on every listener, only while the window has focus.
    void callListenersHandle(const sf::Event& event);
    bool hasListener(SfmlEventListener* listener) const { return listeners.contains(listener); }
    std::size_t getListenerCount() const { return listeners.size(); }

    /// The framework's action map; its event buffer holds the events handed to
    /// the listeners in the current frame.
    fx::ActionMap<std::string>& getActionMap() { return actionMap; }
    /// The framework's own music stream.
    sf::Music& globalMusic() { return music; }
    /// The first connected joystick (0..7), or 8 when none is connected.
    unsigned getPrimaryJoystick() const;

    /// Makes the window's context current and clears the window.
    void clear(const sf::Color& color);
    /// Shows the frame. The window's context stays current on this thread, so
    /// code between frames can make textures. A screenshot asked for with F11
    /// is taken here, from the finished frame.
    void display();

    // --- Volumes (percent, 0..100) -------------------------------------------

    /// Also sets the global volume, whether or not the window has focus.
    void setMainVolume(float v);
    void setMusicVolume(float v);
    void setSoundVolume(float v);
    void setMainVolumeFactor(float f) { setMainVolume(f * 100.0f); }
    void setMusicVolumeFactor(float f) { setMusicVolume(f * 100.0f); }
    void setSoundVolumeFactor(float f) { setSoundVolume(f * 100.0f); }
    float getMainVolume() const { return mainVolume; }
    float getMusicVolume() const { return musicVolume; }
    float getSoundVolume() const { return soundVolume; }
    float getMainVolumeFactor() const { return 0.01f * mainVolume; }
    float getMusicVolumeFactor() const { return 0.01f * musicVolume; }
    float getSoundVolumeFactor() const { return 0.01f * soundVolume; }
    /// A value below 100 becomes max(value, 0); anything else (100 or more,
    /// or not a number) becomes 100.
    static float clampVolume(float v);

    // --- Mouse ---------------------------------------------------------------

    sf::Vector2i getMousePosition() const;
    sf::Vector2i getMouseRelativePosition() const;
    /// Moves the mouse; the jump does not count as movement.
    void setMousePosition(const sf::Vector2i& p);
    void setMouseRelativePosition(const sf::Vector2i& p);
    /// Moves the mouse; the jump counts as movement.
    void moveMouseTo(const sf::Vector2i& p);
    void moveMouseRelativeTo(const sf::Vector2i& p);
    /// Delta = position now minus the stored position; stores the position.
    void updateMouse();
    /// The mouse movement between the last two updates (one per frame).
    sf::Vector2i getMouseDeltaPosition() const { return mouseDelta; }

    // --- Colour-blind filter -------------------------------------------------

    ColorblindType getColorblindType() const { return colorblindType; }
    ColoblindMode getColorblindMode() const { return colorblindMode; }
    /// The filter to bind while drawing; null while the type is none. It
    /// filters the texture being drawn, so plain colours drawn under it need
    /// a texture such as sWhiteTexture: without one they come out black.
    sf::Shader* getColorblindShader() const { return colorblindShader.get(); }
    void setColorblindType(ColorblindType t);
    void setColorblindMode(ColoblindMode m);
    /// Rebuilds the shader from the current type and mode.
    void updateColorblindShader();
    /// Translation code of the type's name.
    static std::string getColorblindCode(ColorblindType t);
    std::string getColorblindCode() const { return getColorblindCode(colorblindType); }
    /// "data/glsl/colorblind/<type>.<sym|fix>.frag"; the name parts of unknown
    /// values are left out.
    static std::string getColorblindShaderPath(ColorblindType t, ColoblindMode m);

private:
    void createWindow();
    void applyFrameLimit();
    void takeScreenshot();

    bool initialised = false;
    std::unique_ptr<sf::RenderWindow> window;
    bool focused = true;
    std::atomic<bool> closeEnabled{true};
    float mainVolume = 100.0f;
    float musicVolume = 100.0f;
    float soundVolume = 100.0f;
    sf::Music music;
    fx::ActionMap<std::string> actionMap;
    std::pair<unsigned, unsigned> resolution{0, 0};
    bool fullscreen = false;
    unsigned fps = 0;
    float frameTime = 0.0f;
    unsigned antiAliasing = 0;
    bool vsync = false;
    std::string windowTitle;
    std::string iconPath;
    bool keyRepeat = false;
    bool cursorVisible = false;
    bool resizable = false;
    ColorblindType colorblindType = ColorblindNone;
    ColoblindMode colorblindMode = ColorblindFix;
    std::unique_ptr<sf::Shader> colorblindShader;
    sf::Vector2i mousePosition;
    sf::Vector2i mouseDelta;
    SfmlListenerList listeners;
    bool screenshotPending = false;
};
