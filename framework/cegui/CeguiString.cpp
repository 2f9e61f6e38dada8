#include "framework/cegui/CeguiString.hpp"

#include <CEGUI/Exceptions.h>
#include <CEGUI/Font.h>

#include <cstddef>
#include <cstdint>

namespace {

constexpr CEGUI::utf32 ReplacementCharacter = 0xFFFD;

/// Decodes one UTF-8 sequence starting at text[i] and advances i past it;
/// false for a malformed one. CEGUI's own decoder trusts the lead byte and
/// reads as many bytes as it announces, past the end of a cut-off text; this
/// one checks every byte.
bool decodeOne(const std::string& text, std::size_t& i, CEGUI::utf32& result)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    ++i;
    if (lead < 0x80) {
        result = lead;
        return true;
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
        return false; // continuation byte or invalid lead byte
    }
    for (std::size_t k = 0; k < length; ++k) {
        if (i >= text.size()) {
            return false;
        }
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0u) != 0x80u) {
            return false; // the sequence ends early; next byte starts anew
        }
        codePoint = (codePoint << 6) | (next & 0x3Fu);
        ++i;
    }
    if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        return false;
    }
    result = codePoint;
    return true;
}

/// Lua hands its messages to CEGUI as UTF-8 bytes, and CEGUI keeps them one
/// byte a character: "ő" (C5 91) comes as "Å" and U+0091. Characters below 256
/// that spell UTF-8 are read back as what they spell; the rest stay as they are
/// (a file name in the message is decoded already).
std::string scriptMessageToUtf8(const CEGUI::String& message)
{
    std::string bytes;
    for (CEGUI::utf32 c : message) {
        if (c < 0x100) {
            bytes.push_back(static_cast<char>(c));
        } else {
            bytes += ceguiStringToUtf8(CEGUI::String(1, c));
        }
    }
    CEGUI::String text;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t start = i;
        CEGUI::utf32 c = 0;
        if (!decodeOne(bytes, i, c)) {
            i = start + 1;
            c = static_cast<unsigned char>(bytes[start]);
        }
        text.push_back(c);
    }
    return ceguiStringToUtf8(text);
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
        CEGUI::utf32 c = 0;
        result.push_back(decodeOne(text, i, c) ? c : ReplacementCharacter);
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
    } catch (const CEGUI::ScriptException& e) {
        text = scriptMessageToUtf8(e.getMessage());
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

CEGUI::String fitWithTail(const CEGUI::String& text, const CEGUI::String& tail, const CEGUI::Font& font, float width)
{
    if (font.getTextExtent(text + tail) <= width)
        return text + tail;
    const CEGUI::String ellipsis(1, static_cast<CEGUI::utf32>(0x2026));
    CEGUI::String::size_type kept = text.length();
    while (kept > 0 && font.getTextExtent(text.substr(0, kept) + ellipsis + tail) > width)
        --kept;
    return text.substr(0, kept) + ellipsis + tail;
}
