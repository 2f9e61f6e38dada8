#include "app/Resolution.hpp"

#include "foundation/tools/StringUtils.hpp"

#include <boost/regex.hpp>

namespace tools {

std::pair<unsigned int, unsigned int> str2res(std::string text)
{
    const std::string::size_type x = text.find('x');
    if (x == std::string::npos)
        return {str2t<unsigned int>(text), str2t<unsigned int>(text)};
    return {str2t<unsigned int>(text.substr(0, x)), str2t<unsigned int>(text.substr(x + 1))};
}

std::string res2str(const std::pair<unsigned int, unsigned int>& resolution)
{
    return res2str(resolution.first, resolution.second);
}

std::string res2str(unsigned int width, unsigned int height)
{
    return t2str<unsigned int>(width) + "x" + t2str<unsigned int>(height);
}

bool isResolution(const std::string& text)
{
    const boost::regex pattern(" *[0-9]+ *x *[0-9]+ *");
    return boost::regex_match(text, pattern);
}

} // namespace tools
