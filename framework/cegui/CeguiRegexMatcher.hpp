#pragma once

#include <CEGUI/RegexMatcher.h>

#include <regex>

/// Text validation for edit boxes with the standard library's regular
/// expressions (ECMAScript grammar), matched against the UTF-8 text. Debian's
/// CEGUI is built without a regular-expression library, which leaves spinners
/// unable to start.
class CeguiRegexMatcher : public CEGUI::RegexMatcher {
public:
    CeguiRegexMatcher();

    /// Throws CEGUI::InvalidRequestException for an expression that does not compile.
    void setRegexString(const CEGUI::String& regex) override;
    const CEGUI::String& getRegexString() const override { return source; }
    /// MS_VALID when the whole text matches, else MS_INVALID.
    MatchState getMatchStateOfString(const CEGUI::String& text) const override;

private:
    CEGUI::String source;
    std::regex expression;
};
