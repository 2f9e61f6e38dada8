#include "app/AudioSubSettings.hpp"

namespace {
const char* const kMain = "audio.mainvolume";
const char* const kMusic = "audio.musicvolume";
const char* const kSound = "audio.soundvolume";
} // namespace

float AudioSubSettings::getMainVolume() const
{
    return getTyped<float>(kMain);
}
void AudioSubSettings::setMainVolume(float volume)
{
    setTyped<float>(kMain, volume);
}
float AudioSubSettings::getMainVolumeFactor() const
{
    return getTyped<float>(kMain) / 100.0f;
}
void AudioSubSettings::setMainVolumeFactor(float factor)
{
    setTyped<float>(kMain, factor * 100.0f);
}

float AudioSubSettings::getMusicVolume() const
{
    return getTyped<float>(kMusic);
}
void AudioSubSettings::setMusicVolume(float volume)
{
    setTyped<float>(kMusic, volume);
}
float AudioSubSettings::getMusicVolumeFactor() const
{
    return getTyped<float>(kMusic) / 100.0f;
}
void AudioSubSettings::setMusicVolumeFactor(float factor)
{
    setTyped<float>(kMusic, factor * 100.0f);
}

float AudioSubSettings::getSoundVolume() const
{
    return getTyped<float>(kSound);
}
void AudioSubSettings::setSoundVolume(float volume)
{
    setTyped<float>(kSound, volume);
}
float AudioSubSettings::getSoundVolumeFactor() const
{
    return getTyped<float>(kSound) / 100.0f;
}
void AudioSubSettings::setSoundVolumeFactor(float factor)
{
    setTyped<float>(kSound, factor * 100.0f);
}
