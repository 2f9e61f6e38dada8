#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace velk {

/// Number of pictures of the loading animation and the length of one loop.
constexpr int LoadingFrameCount = 59;
constexpr float LoadingLoopSeconds = 0.6f;

/// "data/img/loading/LoadingNNNN.png", the index in four digits.
std::string loadingFramePath(int index);

/// The picture shown at a progress in [0, 1] of a loop over `frameCount`
/// pictures; 0 when there are none.
std::size_t loadingFrameIndex(float progress, std::size_t frameCount);

/// The trial clock as MM:SS:cc (minutes take more digits from 100 on).
std::string formatTrialTime(std::int64_t milliseconds);

/// The score the HUD shows one frame later: a rise is counted up at 5000
/// points per second or five times the remaining gap per second, whichever is
/// faster; a drop shows at once.
int catchUpScore(int shown, int target, float dt);

/// Music files played one after the other. A file that cannot be opened
/// drops out for good.
class Playlist {
public:
    Playlist() = default;
    Playlist(std::vector<std::string> files, std::size_t current);

    bool empty() const { return files.empty(); }
    const std::vector<std::string>& getFiles() const { return files; }
    std::size_t getCurrent() const { return current; }

    /// Steps to the next entry (the last wraps to the first) and returns it;
    /// empty when the list is.
    std::string advance();
    /// Forgets the current entry; the current index then names the one after
    /// it (or the first, past the end), and the next advance steps on from there.
    void dropCurrent();

private:
    std::vector<std::string> files;
    std::size_t current = 0;
};

} // namespace velk
