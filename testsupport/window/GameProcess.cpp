#include "testsupport/window/GameProcess.hpp"

#include "testsupport/TempFolder.hpp"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace velk_test {

namespace fs = std::filesystem;

GameProcess::~GameProcess()
{
    kill();
}

bool GameProcess::start(const Options& options)
{
    kill();
    exitCode = -1;
    logFile = options.log;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!logFile.empty()) {
        posix_spawn_file_actions_addopen(&actions, 1, logFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
    }
    std::vector<std::string> strings{options.program.string()};
    strings.insert(strings.end(), options.arguments.begin(), options.arguments.end());
    std::vector<char*> argv;
    for (std::string& s : strings)
        argv.push_back(s.data());
    argv.push_back(nullptr);

    std::vector<std::string> environment;
    for (char** e = environ; *e; ++e)
        environment.emplace_back(*e);
    for (const auto& [name, value] : options.environment)
        environment.push_back(name + "=" + value);
    std::vector<char*> envp;
    for (std::string& s : environment)
        envp.push_back(s.data());
    envp.push_back(nullptr);

    // posix_spawn has no portable working-folder action: change and change back.
    const fs::path previous = fs::current_path();
    if (!options.folder.empty())
        fs::current_path(options.folder);
    const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    fs::current_path(previous);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        pid = 0;
    return rc == 0;
}

bool GameProcess::startWithWindow(const Options& options, const std::string& title)
{
    return start(options) && window.findWindow(title);
}

bool GameProcess::running()
{
    int status = 0;
    if (pid > 0 && waitpid(pid, &status, WNOHANG) == pid) {
        pid = 0;
        exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return pid > 0;
}

int GameProcess::waitForExit(std::chrono::milliseconds timeout)
{
    waitUntil([this] { return !running(); }, timeout, std::chrono::milliseconds(50));
    return running() ? -1 : exitCode;
}

void GameProcess::kill()
{
    if (pid > 0) {
        ::kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        pid = 0;
        exitCode = -1;
    }
}

std::string GameProcess::log() const
{
    return logFile.empty() || !fs::exists(logFile) ? std::string() : readFile(logFile);
}

} // namespace velk_test
