#include "foundation/tools/StringUtils.hpp"

#include <cstdint>

namespace tools {

std::vector<std::string> split(const std::string& text, const std::string& delimiters, bool compress, bool dropEmpty)
{
    const auto isDelimiter = [&delimiters](char c) { return delimiters.find(c) != std::string::npos; };
    std::vector<std::string> tokens;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (!isDelimiter(text[i])) {
            ++i;
            continue;
        }
        tokens.push_back(text.substr(start, i - start));
        ++i;
        if (compress)
            while (i < text.size() && isDelimiter(text[i]))
                ++i;
        start = i;
    }
    tokens.push_back(text.substr(start));

    if (dropEmpty) {
        std::vector<std::string> kept;
        kept.reserve(tokens.size());
        for (auto& token : tokens)
            if (!token.empty())
                kept.push_back(std::move(token));
        return kept;
    }
    return tokens;
}

namespace {
constexpr wchar_t Replacement = static_cast<wchar_t>(0xFFFD);
}

std::wstring utf8ToWString(const std::string& text)
{
    std::wstring out;
    out.reserve(text.size());
    std::uint32_t partial = 0;
    int pending = 0;
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte < 0x80) {
            if (pending != 0)
                out.push_back(Replacement);
            out.push_back(static_cast<wchar_t>(byte));
            pending = 0;
        } else if (byte >= 0xC0 && byte <= 0xDF) {
            partial = byte & 0x1Fu;
            pending = 1;
        } else if (byte >= 0xE0 && byte <= 0xEF) {
            partial = byte & 0x0Fu;
            pending = 2;
        } else if (byte >= 0xF0 && byte <= 0xF7) {
            partial = byte & 0x07u;
            pending = 3;
        } else if (byte >= 0xF8) {
            out.push_back(Replacement);
            pending = 0;
        } else if (pending != 0) { // continuation byte of an open sequence
            partial = (partial << 6) | (byte & 0x3Fu);
            if (--pending == 0)
                out.push_back(static_cast<wchar_t>(partial));
        } else { // stray continuation byte
            out.push_back(Replacement);
        }
    }
    if (pending != 0)
        out.push_back(Replacement);
    return out;
}

std::string wstringToUtf8(const std::wstring& text)
{
    std::string out;
    out.reserve(text.size());
    for (const wchar_t wc : text) {
        std::uint32_t c = static_cast<std::uint32_t>(wc);
        if (sizeof(wchar_t) == 2)
            c &= 0xFFFFu;
        if (c > 0x10FFFFu)
            c = 0xFFFDu;
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 + (c >> 6)));
            out.push_back(static_cast<char>(0x80 + (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 + (c >> 12)));
            out.push_back(static_cast<char>(0x80 + ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 + (c & 0x3F)));
        } else {
            // Wide characters hold whole code points here (32-bit wchar_t).
            out.push_back(static_cast<char>(0xF0 + (c >> 18)));
            out.push_back(static_cast<char>(0x80 + ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 + ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 + (c & 0x3F)));
        }
    }
    return out;
}

} // namespace tools
