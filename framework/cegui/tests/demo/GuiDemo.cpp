// velk_gui_demo [--out=FILE] [--log=FILE]
// Shows SFML drawing and a CEGUI window from a Lua script together.
#include "GuiDemoApp.hpp"

#include "foundation/tools/Log.hpp"

#include <string>

int main(int argc, char** argv)
{
    GuiDemoApp::Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--out=", 0) == 0) {
            options.outPath = arg.substr(6);
        } else if (arg.rfind("--log=", 0) == 0) {
            options.guiLogPath = arg.substr(6);
        } else {
            tools::log("GuiDemo", "Unknown argument: " + arg);
            return 2;
        }
    }
    GuiDemoApp app(options);
    return app.run();
}
