#include "game/shell/program/VelkProgram.hpp"

#include "engine/GameFramework.hpp"
#include "foundation/tools/Log.hpp"
#include "framework/cegui/CeguiString.hpp"
#include "framework/sfml/SfmlFramework.hpp"
#include "game/menu/MainMenuState.hpp"
#include "game/shell/GuiTestState.hpp"
#include "game/shell/VelkInitHelper.hpp"

#include <cstdlib>
#include <ctime>

namespace velk {

namespace {

/// Exit code when start-up failed (folders, database, window, GUI).
const int kStartFailed = 2;

} // namespace

bool wantsGuiTest(const std::function<bool(const std::string&)>& isArg)
{
    return isArg("-g") || isArg("--guitest");
}

std::shared_ptr<VelkState> createFirstScreen()
{
    const auto isArg = [](const std::string& key) { return GameFramework::Singleton.isArg(key); };
    if (wantsGuiTest(isArg))
        return std::make_shared<GuiTestState>();
    return std::make_shared<MainMenuState>();
}

int runGame(int argc, char** argv)
{
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    {
        auto helper = std::make_shared<VelkInitHelper>();
        try {
            GameFramework::Singleton.init(std::make_pair(argc, argv), helper.get());
        } catch (...) {
            // The engine has stopped what it had started: no window stays.
            tools::log("Velkors", "Cannot start: " + exceptionText(std::current_exception()));
            return kStartFailed;
        }
    }
    std::shared_ptr<VelkState> screen = createFirstScreen();
    if (SfmlFramework* sfml = GameFramework::Singleton.getSfmlFramework())
        sfml->setupState(screen.get());
    const int result = GameFramework::Singleton.run(screen);
    // The first screen goes before the engine it uses.
    screen.reset();
    GameFramework::Singleton.shutdown();
    return result;
}

} // namespace velk
