#pragma once

#include "foundation/tools/ResourceSet.hpp"

#include <string>

class GameComponent;

/// The owning, ordered list of child components that objects and components
/// carry. Its order is the order of update, drawing, search and destruction.
class GameComponentSet : public tools::ResourceSet<GameComponent> {
public:
    GameComponentSet();
    ~GameComponentSet() override;

    int getNumberOfComponents() const;
    /// The direct child at `index`, or null when the index is out of range.
    GameComponent* getComponent(unsigned int index);
    const GameComponent* getComponent(unsigned int index) const;
    /// A component of the subtree with that id, or null. At each level the
    /// direct children are tried before any grandchild.
    GameComponent* getComponentById(const std::string& id);
    const GameComponent* getComponentById(const std::string& id) const;
};
