#include "testsupport/window/GameProcess.hpp"

#include "testsupport/TempFolder.hpp"

#include <csignal>
#include <cstdlib>
#include <cstring>
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
    endSignal = 0;
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

::testing::AssertionResult GameProcess::startWithWindow(const Options& options, const std::string& title)
{
    if (!start(options))
        return ::testing::AssertionFailure() << options.program << " cannot be started";
    // Short searches, so that a program that has ended is seen at once.
    return waitFor(
        "a window titled \"" + title + "\"", [&] { return window.findWindow(title, std::chrono::seconds(1)); },
        std::chrono::seconds(60), std::chrono::milliseconds(0));
}

bool GameProcess::running()
{
    int status = 0;
    if (pid > 0 && waitpid(pid, &status, WNOHANG) == pid) {
        pid = 0;
        exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        endSignal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    }
    return pid > 0;
}

std::string GameProcess::state()
{
    if (running())
        return "still runs";
    if (endSignal != 0)
        return "was ended by signal " + std::to_string(endSignal) + " (" + strsignal(endSignal) + ")";
    return "ended with exit code " + std::to_string(exitCode);
}

::testing::AssertionResult GameProcess::waitFor(const std::string& what, const std::function<bool()>& condition,
                                                std::chrono::milliseconds timeout, std::chrono::milliseconds interval)
{
    bool held = false;
    waitUntil(
        [&] {
            const bool ended = !running();
            // Asked once more after the end: what it did just before may show only now.
            held = condition();
            return held || ended;
        },
        timeout, interval);
    if (held)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "waited for " << what << " in vain; the program " << state()
                                         << ". Its last output:\n"
                                         << lastOutput();
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
        endSignal = SIGKILL;
    }
}

std::string GameProcess::log() const
{
    return logFile.empty() || !fs::exists(logFile) ? std::string() : readFile(logFile);
}

std::string GameProcess::lastOutput(std::size_t lines) const
{
    const std::string text = log();
    // Back from the end (past its final line break) over that many line breaks.
    std::size_t start = !text.empty() && text.back() == '\n' ? text.size() - 1 : text.size();
    for (std::size_t i = 0; i < lines; ++i) {
        const std::size_t newline = start == 0 ? std::string::npos : text.rfind('\n', start - 1);
        if (newline == std::string::npos)
            return text;
        start = newline;
    }
    return text.substr(start + 1);
}

} // namespace velk_test
