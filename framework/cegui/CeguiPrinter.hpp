#pragma once

#include <ostream>

namespace CEGUI {
class Window;
}

// Debug dumps of the GUI. The window must not be null.

/// The window tree, one name a line, each child one "-" deeper than its parent.
void printCeguiHierarchy(const CEGUI::Window* root, std::ostream& out);
/// The window at the given depth (that many "-") and its descendants.
void printCeguiHierarchyRecursive(const CEGUI::Window* window, std::ostream& out, unsigned int depth);
/// Each property: "name : value   (default)".
void printCeguiProperties(const CEGUI::Window* window, std::ostream& out);
