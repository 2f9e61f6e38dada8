#include "foundation/tools/AtomicFile.hpp"

#include "foundation/tools/Log.hpp"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <regex>
#include <system_error>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace tools {

namespace {

const char* const kPrefix = ".velk-";
const char* const kSuffix = ".tmp";

std::string folderOf(const std::string& path)
{
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    return folder.empty() ? "." : folder.string();
}

std::string temporaryNameFor(const std::string& path)
{
    // Short and unique per process and call: parallel writers never share a
    // file, and long target names do not push the name over the limit.
    static std::atomic<unsigned> counter{0};
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    const std::string name = kPrefix + std::to_string(static_cast<long>(::getpid())) + "-" + std::to_string(counter++) +
                             kSuffix;
    return (folder / name).string();
}

/// The process id in a name temporaryNameFor() makes, or -1 for any other name.
long writerOf(const std::string& name)
{
    static const std::regex pattern(R"(\.velk-(\d{1,10})-\d{1,10}\.tmp)");
    std::smatch match;
    return std::regex_match(name, match, pattern) ? std::stol(match[1]) : -1;
}

bool fail(std::string* error, const std::string& cause)
{
    if (error)
        *error = cause;
    return false;
}

} // namespace

bool writeFileAtomically(const std::string& path, const std::string& content, std::string* error)
{
    if (path.empty())
        return fail(error, "empty file name");

    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return fail(error, "is a directory");

    const std::string temporary = temporaryNameFor(path);
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file)
        return fail(error, std::strerror(errno));

    const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    const int writeErrno = errno;
    const bool flushed = written && std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
    const int flushErrno = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !flushed || !closed) {
        const int cause = !written ? writeErrno : (!flushed ? flushErrno : errno);
        std::remove(temporary.c_str());
        return fail(error, std::strerror(cause));
    }

    // A replaced file keeps its permissions.
    const auto previous = std::filesystem::status(path, ec);
    if (!ec && std::filesystem::exists(previous))
        std::filesystem::permissions(temporary, previous.permissions(), ec);

    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::remove(temporary.c_str());
        return fail(error, ec.message());
    }
    // The new file is in place; a folder that cannot be synced only weakens
    // what survives a power cut, so the save still counts as done.
    const std::string folder = folderOf(path);
    if (!syncFolder(folder))
        log("AtomicFile", "Cannot sync the folder " + folder + " after writing " + path + ": " + std::strerror(errno));
    // A save killed between writing and renaming leaves its temporary file
    // behind, often a whole copy of the document.
    removeTemporariesOfEndedProcesses(folder, writerOf, "AtomicFile");
    return true;
}

void removeTemporariesOfEndedProcesses(const std::string& folder,
                                       const std::function<long(const std::string& name)>& writerOf,
                                       const std::string& tag)
{
    const long self = static_cast<long>(::getpid());
    std::error_code ec;
    std::filesystem::directory_iterator entries(folder, ec);
    for (; !ec && entries != std::filesystem::directory_iterator(); entries.increment(ec)) {
        const std::filesystem::path& file = entries->path();
        const long pid = writerOf(file.filename().string());
        if (pid <= 0 || pid == self || isProcessRunning(pid))
            continue;
        std::error_code removeError;
        if (std::filesystem::remove(file, removeError))
            log(tag, "Removed " + file.string() + ", left by an interrupted write");
    }
}

bool isProcessRunning(long pid)
{
    if (pid <= 0 || pid > INT_MAX)
        return false;
    // EPERM: it runs, under another user.
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
}

bool syncFolder(const std::string& folder)
{
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    const bool synced = ::fsync(descriptor) == 0;
    const int cause = errno;
    ::close(descriptor);
    errno = cause;
    return synced;
}

} // namespace tools
