#include "game/play/model/PlayScreenMath.hpp"

#include <algorithm>
#include <cmath>

namespace velk {

namespace {

std::string twoDigits(std::int64_t value)
{
    return (value <= 9 ? "0" : "") + std::to_string(value);
}

} // namespace

std::string loadingFramePath(int index)
{
    return std::string("data/img/loading/Loading00") + (index <= 9 ? "0" : "") + std::to_string(index) + ".png";
}

std::size_t loadingFrameIndex(float progress, std::size_t frameCount)
{
    if (frameCount == 0)
        return 0;
    const auto step = static_cast<std::size_t>(std::max(0.0f, progress) * static_cast<float>(frameCount));
    return step % frameCount;
}

std::string formatTrialTime(std::int64_t milliseconds)
{
    const std::int64_t ms = std::max<std::int64_t>(0, milliseconds);
    const std::int64_t minutes = ms / 60000;
    const std::int64_t seconds = (ms / 1000) % 60;
    const std::int64_t centiseconds = (ms / 10) % 100;
    return twoDigits(minutes) + ":" + twoDigits(seconds) + ":" + twoDigits(centiseconds);
}

int catchUpScore(int shown, int target, float dt)
{
    if (target == shown)
        return shown;
    const long long diff = static_cast<long long>(target) - shown;
    const long long rate = 5 * diff > 4999 ? 5 * diff : 5000;
    const auto step = static_cast<long long>(static_cast<double>(rate) * static_cast<double>(dt));
    return static_cast<int>(shown + std::min(step, diff));
}

Playlist::Playlist(std::vector<std::string> files, std::size_t current) : files(std::move(files)), current(current) {}

std::string Playlist::advance()
{
    if (files.empty())
        return {};
    current = current + 1 >= files.size() ? 0 : current + 1;
    return files[current];
}

void Playlist::dropCurrent()
{
    if (current >= files.size())
        return;
    files.erase(files.begin() + static_cast<std::ptrdiff_t>(current));
    if (current >= files.size())
        current = 0;
}

} // namespace velk
