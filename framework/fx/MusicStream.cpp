#include "framework/fx/MusicStream.hpp"

#include "foundation/tools/RegularFile.hpp"

#include <utility>

namespace fx {

bool MusicStream::open(const std::string& path)
{
    std::string file;
    if (!tools::readRegularFile(path, file))
        return false;
    // The stream's thread reads the old bytes until it stops.
    stream.stop();
    bytes = std::move(file);
    return stream.openFromMemory(bytes.data(), bytes.size());
}

} // namespace fx
