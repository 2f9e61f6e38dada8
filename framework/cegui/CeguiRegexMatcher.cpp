#include "framework/cegui/CeguiRegexMatcher.hpp"

#include "framework/cegui/CeguiString.hpp"

#include <CEGUI/Exceptions.h>

CeguiRegexMatcher::CeguiRegexMatcher() : source(".*"), expression(".*") {}

void CeguiRegexMatcher::setRegexString(const CEGUI::String& regex)
{
    try {
        expression = std::regex(ceguiStringToUtf8(regex), std::regex::ECMAScript);
        source = regex;
    } catch (const std::regex_error& error) {
        throw CEGUI::InvalidRequestException("Bad validation expression '" + regex + "': " + error.what());
    }
}

CEGUI::RegexMatcher::MatchState CeguiRegexMatcher::getMatchStateOfString(const CEGUI::String& text) const
{
    return std::regex_match(ceguiStringToUtf8(text), expression) ? MS_VALID : MS_INVALID;
}
