#pragma once

#include <functional>
#include <memory>
#include <string>

class VelkState;

namespace velk {

/// Whether the command line asks for the GUI test screen: "-g" or
/// "--guitest", as a bare word or as the key of a key=value word.
bool wantsGuiTest(const std::function<bool(const std::string&)>& isArg);

/// The first screen for the parsed command line of the engine.
std::shared_ptr<VelkState> createFirstScreen();

/// The whole program: start-up, the state loop, shut-down. Returns the exit
/// code: 0 after a normal run, non-zero when the engine could not start.
int runGame(int argc, char** argv);

} // namespace velk
