#include "app/AudioSubSettings.hpp"

namespace {
const char* const kMain = "audio.mainvolume";
const char* const kMusic = "audio.musicvolume";
const char* const kSound = "audio.soundvolume";
} // namespace

float AudioSubSettings::volume(const char* key) const
{
    return getSettings() ? getSettings()->getSetting<float>(key) : 0.0f;
}

void AudioSubSettings::setVolume(const char* key, float volume)
{
    if (getSettings())
        getSettings()->setSetting<float>(key, volume);
}

float AudioSubSettings::getMainVolume() const { return volume(kMain); }
void AudioSubSettings::setMainVolume(float volume) { setVolume(kMain, volume); }
float AudioSubSettings::getMainVolumeFactor() const { return volume(kMain) / 100.0f; }
void AudioSubSettings::setMainVolumeFactor(float factor) { setVolume(kMain, factor * 100.0f); }

float AudioSubSettings::getMusicVolume() const { return volume(kMusic); }
void AudioSubSettings::setMusicVolume(float volume) { setVolume(kMusic, volume); }
float AudioSubSettings::getMusicVolumeFactor() const { return volume(kMusic) / 100.0f; }
void AudioSubSettings::setMusicVolumeFactor(float factor) { setVolume(kMusic, factor * 100.0f); }

float AudioSubSettings::getSoundVolume() const { return volume(kSound); }
void AudioSubSettings::setSoundVolume(float volume) { setVolume(kSound, volume); }
float AudioSubSettings::getSoundVolumeFactor() const { return volume(kSound) / 100.0f; }
void AudioSubSettings::setSoundVolumeFactor(float factor) { setVolume(kSound, factor * 100.0f); }
