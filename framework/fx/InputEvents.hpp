#pragma once

#include "framework/fx/InputState.hpp"

#include <SFML/Window/Event.hpp>

#include <set>
#include <vector>

namespace fx {

/// The events of one frame, against which input actions are tested, and the
/// source of held input. While the window has no focus held input reads as
/// released; the focus follows the LostFocus and GainedFocus events pushed
/// here and can also be set by the owner. A key pressed with Alt held is the
/// window's shortcut (Alt+Return, Alt+F4) until its release, even if Alt is
/// let go first; a release missed while the buffer was not fed ends it once
/// the state shows the key up.
class InputEvents {
public:
    /// Reads held input from SFML.
    InputEvents() = default;
    /// Reads held input from the given source, which must outlive this buffer.
    explicit InputEvents(const InputState& state) : state_(&state) {}

    /// Forgets the events (the focus and the shortcut keys still held stay).
    void clear();
    void push(const sf::Event& event);
    const std::vector<sf::Event>& events() const { return events_; }

    bool hasFocus() const { return focused_; }
    /// Whether the key went down as part of an Alt shortcut and is still held.
    bool isShortcutKey(sf::Keyboard::Key key) const { return shortcutKeys_.count(key) != 0; }
    void setFocus(bool focused) { focused_ = focused; }

    const InputState& state() const { return *state_; }
    void setState(const InputState& state) { state_ = &state; }

private:
    std::vector<sf::Event> events_;
    const InputState* state_ = &InputState::live();
    bool focused_ = true;
    std::set<sf::Keyboard::Key> shortcutKeys_;
};

} // namespace fx
