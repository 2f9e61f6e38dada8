#pragma once

#include <SFML/Audio/Music.hpp>

#include <string>

namespace fx {

/// A music stream over a file read whole into memory first, so that a named
/// pipe, a device or an oversized file is refused (with a log line) instead of
/// blocking or exhausting the game. sf::Music reads its source while it plays,
/// so the bytes live here as long as the stream and change only once it stopped.
class MusicStream {
public:
    /// Opens the file at `path` in the stream, stopping what it played; false
    /// when the file cannot be read or decoded. One that cannot be read leaves
    /// the stream as it was.
    bool open(const std::string& path);

    sf::Music& music() { return stream; }
    const sf::Music& music() const { return stream; }

private:
    std::string bytes;
    sf::Music stream; // after the bytes: stopped and destroyed before them
};

} // namespace fx
