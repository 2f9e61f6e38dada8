#include "foundation/tools/AtomicFile.hpp"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace tools {

namespace {

std::string temporaryNameFor(const std::string& path)
{
    // Short and unique per process and call: parallel writers never share a
    // file, and long target names do not push the name over the limit.
    static std::atomic<unsigned> counter{0};
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    const std::string name = ".velk-" + std::to_string(static_cast<long>(::getpid())) + "-" +
                             std::to_string(counter++) + ".tmp";
    return (folder / name).string();
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
    return true;
}

} // namespace tools
