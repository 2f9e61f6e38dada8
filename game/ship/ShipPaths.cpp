#include "game/ship/ShipPaths.hpp"

#include "engine/GameFramework.hpp"
#include "framework/sfml/SfmlFramework.hpp"

namespace velk {

std::string partObjectFolder = "data/obj/parts";
std::string partSoundFolder = "data/snd/parts";
std::string flameFolder = "data/img/flames";
std::string shipDeadSoundFile = "data/snd/ship/malfunction.wav";

std::string joinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    if (name.empty())
        return folder;
    return folder + "/" + name;
}

float soundVolumeSetting()
{
    const SfmlFramework* sfml = GameFramework::Singleton.getSfmlFramework();
    return sfml ? sfml->getSoundVolume() : 100.0f;
}

} // namespace velk
