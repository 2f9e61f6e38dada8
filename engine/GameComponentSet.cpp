#include "engine/GameComponentSet.hpp"

#include "engine/GameComponent.hpp"

GameComponentSet::GameComponentSet() = default;

GameComponentSet::~GameComponentSet() = default;

int GameComponentSet::getNumberOfComponents() const
{
    return static_cast<int>(getResources().size());
}

GameComponent* GameComponentSet::getComponent(unsigned int index)
{
    const auto& list = getResources();
    return index < list.size() ? list[index] : nullptr;
}

const GameComponent* GameComponentSet::getComponent(unsigned int index) const
{
    const auto& list = getResources();
    return index < list.size() ? list[index] : nullptr;
}

GameComponent* GameComponentSet::getComponentById(const std::string& id)
{
    return const_cast<GameComponent*>(static_cast<const GameComponentSet*>(this)->getComponentById(id));
}

const GameComponent* GameComponentSet::getComponentById(const std::string& id) const
{
    const auto& list = getResources();
    for (const GameComponent* child : list)
        if (child->getId() == id)
            return child;
    for (const GameComponent* child : list)
        if (const GameComponent* found = child->getComponentById(id))
            return found;
    return nullptr;
}
