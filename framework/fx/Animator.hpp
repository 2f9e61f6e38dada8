#pragma once

#include "foundation/tools/Log.hpp"

#include <SFML/System/Time.hpp>

#include <cmath>
#include <functional>
#include <map>
#include <optional>

namespace fx {

/// Plays one of several animations on a target at a time. An animation is a
/// function of the target and a progress in [0, 1] with a duration; each
/// update adds dt / duration to the progress. Past 1 a looped animation keeps
/// the fractional part and a one-shot animation stops (exactly 1 still plays).
template <typename Target, typename Id>
class Animator {
public:
    using Animation = std::function<void(Target&, float)>;

    virtual ~Animator() = default;

    /// Adds or replaces the animation under this id.
    void addAnimation(const Id& id, Animation animation, sf::Time duration)
    {
        animations_[id] = Entry{std::move(animation), duration};
    }

    bool hasAnimation(const Id& id) const { return animations_.count(id) != 0; }

    /// Starts the animation from progress 0. An id without an animation stops
    /// whatever played and is logged.
    void playAnimation(const Id& id, bool loop = false)
    {
        if (!hasAnimation(id)) {
            tools::log("Animator", "No animation under the requested id; nothing plays");
            playing_.reset();
            return;
        }
        playing_ = id;
        loop_ = loop;
        progress_ = 0.f;
    }

    void stopAnimation() { playing_.reset(); }

    bool isPlayingAnimation() const { return playing_.has_value(); }

    /// The id of the playing animation; a value-initialised id when none plays.
    Id getPlayingAnimation() const { return playing_.value_or(Id{}); }

    /// Progress of the playing animation, 0 when none plays.
    float getProgress() const { return playing_ ? progress_ : 0.f; }

    void update(sf::Time dt)
    {
        if (!playing_)
            return;
        const Entry& entry = animations_.at(*playing_);
        if (entry.duration <= sf::Time::Zero) {
            // No length to spread the progress over: a one-shot animation is
            // over at once, a looped one stays on its start.
            if (loop_)
                progress_ = 0.f;
            else if (dt > sf::Time::Zero)
                playing_.reset();
            return;
        }
        progress_ += dt.asSeconds() / entry.duration.asSeconds();
        if (progress_ > 1.f) {
            if (loop_)
                progress_ -= std::floor(progress_);
            else
                playing_.reset();
        }
    }

    /// Applies the playing animation at its progress; nothing when none plays.
    void animate(Target& target) const
    {
        if (!playing_)
            return;
        const Entry& entry = animations_.at(*playing_);
        if (entry.animation)
            entry.animation(target, progress_);
    }

private:
    struct Entry {
        Animation animation;
        sf::Time duration;
    };

    std::map<Id, Entry> animations_;
    std::optional<Id> playing_;
    bool loop_ = false;
    float progress_ = 0.f;
};

} // namespace fx
