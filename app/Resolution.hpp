#pragma once

#include <string>
#include <utility>

namespace tools {

/// Width and height from a text like 1024x768. Without an x both come from the
/// whole text; unreadable parts give 0. Never throws and does not validate.
std::pair<unsigned int, unsigned int> str2res(std::string text);

/// The text form width, x, height: (1024, 768) gives 1024x768.
std::string res2str(const std::pair<unsigned int, unsigned int>& resolution);
std::string res2str(unsigned int width, unsigned int height);

/// True when the whole text is a resolution, blanks allowed around the numbers and the x.
bool isResolution(const std::string& text);

} // namespace tools
