#pragma once

#include "framework/cegui/CeguiCanvasWidget.hpp"
#include "framework/cegui/CeguiFramework.hpp"
#include "framework/sfml/SfmlEventListener.hpp"
#include "framework/sfml/SfmlFramework.hpp"

#include <string>

/// The demo program: SFML draws a scene, CEGUI draws a GUI built by a Lua
/// script on top, and a canvas widget inside the GUI is painted red by SFML.
/// Its output file lets window tests follow it: "ready" after the first
/// frame, "clicked" for each click of the button, "recreated WxH" after F2
/// re-created the window at another size. Escape ends it.
class GuiDemoApp : public SfmlEventListener, public CeguiCanvasWidget::Drawer {
public:
    struct Options {
        std::string outPath;
        std::string guiLogPath = "gui-demo.log";
    };

    explicit GuiDemoApp(Options options);
    ~GuiDemoApp() override;

    /// Runs until the window closes or Escape; the process exit code.
    int run();

    void handleSfEvent(const sf::Event& event) override;
    void drawToCanvas(CEGUI::Window* canvas) override;

private:
    bool buildGui();
    bool onClick(const CEGUI::EventArgs& args);
    void recreateWindow();
    void drawScene();
    void report(const std::string& line);

    Options options;
    SfmlFramework sfml;
    CeguiFramework cegui;
    bool quit = false;
    bool recreatePending = false;
    int clicks = 0;
};
