#pragma once

namespace CEGUI {
class Window;
}
namespace app {
class Language;
}

/// The language that translateCeguiWindow looks texts up in. The engine sets
/// its language here at start-up and clears it (null) before deleting it.
void setCeguiTranslationLanguage(const app::Language* language);
const app::Language* getCeguiTranslationLanguage();

/// Replaces a window text of the form "@" + translation code by the code's
/// text in the active language ("<!" + code + "!>" when there is none, also
/// while no language is set); other texts stay. With recursive true the same
/// happens to every descendant, depth first, a window before its children.
/// A null window does nothing.
void translateCeguiWindow(CEGUI::Window* window, bool recursive);
