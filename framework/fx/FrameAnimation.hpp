#pragma once

#include <SFML/Graphics/Rect.hpp>

#include <optional>
#include <vector>

namespace fx {

/// An animation of texture rectangles: each frame shows for its share of the
/// total (relative duration / sum of relative durations).
class FrameAnimation {
public:
    /// Appends a frame; a negative or non-finite duration counts as 0 (never shown).
    void addFrame(float relativeDuration, const sf::IntRect& rect);

    std::size_t getFrameCount() const { return frames_.size(); }

    /// The frame shown at a progress (clamped to [0, 1]): the frame whose
    /// share holds it, the last frame at 1; none when there are no frames.
    std::optional<std::size_t> frameAt(float progress) const;

    const sf::IntRect& getFrameRect(std::size_t index) const { return frames_.at(index).rect; }

    /// Sets the target's texture rectangle (sf::Shape, sf::Sprite) for the progress.
    template <typename Target>
    void operator()(Target& target, float progress) const
    {
        if (const auto index = frameAt(progress))
            target.setTextureRect(frames_[*index].rect);
    }

private:
    struct Frame {
        float end; ///< cumulative relative duration up to the end of this frame
        sf::IntRect rect;
    };

    std::vector<Frame> frames_;
    float total_ = 0.f;
};

} // namespace fx
