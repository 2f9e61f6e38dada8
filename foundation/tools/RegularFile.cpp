#include "foundation/tools/RegularFile.hpp"

#include "foundation/tools/Log.hpp"

#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tools {

namespace {

const char* const kTag = "File";

bool refuse(const std::string& path, const std::string& cause)
{
    log(kTag, "Not reading '" + path + "': " + cause);
    return false;
}

std::string tooLarge(std::uint64_t maxBytes)
{
    const std::uint64_t mib = std::uint64_t{1} << 20;
    if (maxBytes % mib == 0)
        return "larger than " + std::to_string(maxBytes / mib) + " MiB";
    return "larger than " + std::to_string(maxBytes) + " bytes";
}

/// Closes the descriptor however the read ends.
struct Descriptor {
    int fd;
    ~Descriptor() { ::close(fd); }
};

} // namespace

bool readRegularFile(const std::string& path, std::string& content, std::uint64_t maxBytes)
{
    // Non-blocking, so that opening a named pipe returns at once instead of
    // waiting for a writer; the type is then checked on the opened file itself.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return false;
    const Descriptor file{fd};
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return refuse(path, std::strerror(errno));
    if (!S_ISREG(info.st_mode))
        return refuse(path, "not a regular file");
    if (static_cast<std::uint64_t>(info.st_size) > maxBytes)
        return refuse(path, tooLarge(maxBytes));

    std::string text;
    text.reserve(static_cast<std::size_t>(info.st_size));
    char chunk[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got == 0)
            break;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return refuse(path, std::strerror(errno));
        }
        // The file may grow while it is read.
        if (text.size() + static_cast<std::uint64_t>(got) > maxBytes)
            return refuse(path, tooLarge(maxBytes));
        text.append(chunk, static_cast<std::size_t>(got));
    }
    content = std::move(text);
    return true;
}

} // namespace tools
