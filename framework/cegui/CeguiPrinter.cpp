#include "framework/cegui/CeguiPrinter.hpp"

#include "framework/cegui/CeguiString.hpp"

#include <CEGUI/Window.h>

#include <string>

void printCeguiHierarchy(const CEGUI::Window* root, std::ostream& out)
{
    out << ceguiStringToUtf8(root->getName()) << std::endl;
    for (size_t i = 0; i < root->getChildCount(); ++i) {
        printCeguiHierarchyRecursive(root->getChildAtIdx(i), out, 1);
    }
}

void printCeguiHierarchyRecursive(const CEGUI::Window* window, std::ostream& out, unsigned int depth)
{
    out << std::string(depth, '-') << ceguiStringToUtf8(window->getName()) << std::endl;
    for (size_t i = 0; i < window->getChildCount(); ++i) {
        printCeguiHierarchyRecursive(window->getChildAtIdx(i), out, depth + 1);
    }
}

void printCeguiProperties(const CEGUI::Window* window, std::ostream& out)
{
    CEGUI::PropertySet::PropertyIterator property = window->getPropertyIterator();
    for (; !property.isAtEnd(); ++property) {
        const CEGUI::String& name = property.getCurrentKey();
        // Some properties can only be written; a dump must not stop at them.
        const std::string value = window->isPropertyPresent(name) && property.getCurrentValue()->isReadable()
                                      ? ceguiStringToUtf8(window->getProperty(name))
                                      : std::string("<not readable>");
        out << ceguiStringToUtf8(name) << " : " << value << "   ("
            << ceguiStringToUtf8(window->getPropertyDefault(name)) << ")" << std::endl;
    }
}
