#pragma once

#include "app/Settings.hpp"

/// Audio settings: three volumes in percent. Nothing is clamped here; the sound
/// layer clamps when it applies them.
class AudioSubSettings : public app::Settings::SubSettings {
public:
    AudioSubSettings() = default;
    ~AudioSubSettings() override = default;

    float getMainVolume() const;
    void setMainVolume(float volume);
    /// The main volume divided by 100.
    float getMainVolumeFactor() const;
    /// Stores 100 times the factor as the main volume.
    void setMainVolumeFactor(float factor);

    float getMusicVolume() const;
    void setMusicVolume(float volume);
    float getMusicVolumeFactor() const;
    void setMusicVolumeFactor(float factor);

    float getSoundVolume() const;
    void setSoundVolume(float volume);
    float getSoundVolumeFactor() const;
    void setSoundVolumeFactor(float factor);
};
