#include "framework/cegui/CeguiString.hpp"

#include <CEGUI/Exceptions.h>

#include <cstddef>
#include <cstdint>

namespace {

constexpr CEGUI::utf32 ReplacementCharacter = 0xFFFD;

/// Decodes one UTF-8 sequence starting at text[i] and advances i past it.
/// CEGUI's own decoder trusts the lead byte and reads as many bytes as it
/// announces, past the end of a cut-off text; this one checks every byte.
CEGUI::utf32 decodeOne(const std::string& text, std::size_t& i)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    ++i;
    if (lead < 0x80) {
        return lead;
    }
    std::size_t length = 0;
    std::uint32_t codePoint = 0;
    std::uint32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 1;
        codePoint = lead & 0x1Fu;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 2;
        codePoint = lead & 0x0Fu;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 3;
        codePoint = lead & 0x07u;
        minimum = 0x10000;
    } else {
        return ReplacementCharacter; // continuation byte or invalid lead byte
    }
    for (std::size_t k = 0; k < length; ++k) {
        if (i >= text.size()) {
            return ReplacementCharacter;
        }
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0u) != 0x80u) {
            return ReplacementCharacter; // the sequence ends early; next byte starts anew
        }
        codePoint = (codePoint << 6) | (next & 0x3Fu);
        ++i;
    }
    if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        return ReplacementCharacter;
    }
    return codePoint;
}

} // namespace

CEGUI::String utf8ToCeguiString(std::string text)
{
    const std::size_t zero = text.find('\0');
    if (zero != std::string::npos) {
        text.resize(zero);
    }
    CEGUI::String result;
    result.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        result.push_back(decodeOne(text, i));
    }
    return result;
}

std::string ceguiStringToUtf8(CEGUI::String text)
{
    return std::string(text.c_str());
}

std::string exceptionText(const std::exception_ptr& error)
{
    std::string text = "unknown exception";
    try {
        std::rethrow_exception(error);
    } catch (const CEGUI::Exception& e) {
        text = ceguiStringToUtf8(e.getMessage());
    } catch (const std::exception& e) {
        text = e.what();
    } catch (...) {
    }
    // Lua's messages span several lines.
    std::string line;
    for (char c : text) {
        const bool space = c == '\n' || c == '\r' || c == ' ';
        if (!space)
            line += c;
        else if (!line.empty() && line.back() != ' ')
            line += ' ';
    }
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line;
}
