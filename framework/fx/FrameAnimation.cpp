#include "framework/fx/FrameAnimation.hpp"

#include <algorithm>
#include <cmath>

namespace fx {

void FrameAnimation::addFrame(float relativeDuration, const sf::IntRect& rect)
{
    if (!(relativeDuration > 0.f) || !std::isfinite(relativeDuration))
        relativeDuration = 0.f;
    total_ += relativeDuration;
    frames_.push_back({total_, rect});
}

std::optional<std::size_t> FrameAnimation::frameAt(float progress) const
{
    if (frames_.empty())
        return std::nullopt;
    if (std::isnan(progress))
        progress = 0.f;
    const float point = std::clamp(progress, 0.f, 1.f) * total_;
    // First frame that ends after the point; zero-length frames end where the
    // previous one ends, so they are skipped.
    const auto it = std::upper_bound(frames_.begin(), frames_.end(), point,
                                     [](float value, const Frame& frame) { return value < frame.end; });
    if (it != frames_.end())
        return static_cast<std::size_t>(it - frames_.begin());
    // At the very end: the last frame that is shown at all.
    float previousEnd = 0.f;
    std::size_t last = 0;
    for (std::size_t i = 0; i < frames_.size(); ++i) {
        if (frames_[i].end > previousEnd)
            last = i;
        previousEnd = frames_[i].end;
    }
    return last;
}

} // namespace fx
