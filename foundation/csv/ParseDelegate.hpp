#pragma once

#include <cstdint>
#include <string>

namespace csv {

/// Receiver of the events of one delimited-text reading run. Lines and
/// fields are counted from 0; empty lines are not reported or counted.
class ParseDelegate {
public:
    virtual ~ParseDelegate() = default;

    /// Once, before anything else; `source` is the path or "-STRING-".
    virtual void onParseBegin(const std::string& source) = 0;
    /// Before the first field of a line.
    virtual void onLineBegin(const std::uint32_t& lineIndex) = 0;
    /// At the end of each field.
    virtual void onField(const std::string& field, const std::uint32_t& fieldIndex) = 0;
    /// After the last field of a line. When the input ends with an empty
    /// field (right after a separator), its line gets no `onLineEnd` and that
    /// empty field is not reported; `onParseEnd` follows directly.
    virtual void onLineEnd(const std::uint32_t& lineIndex) = 0;
    /// Once, at the very end.
    virtual void onParseEnd(const std::string& source) = 0;
};

} // namespace csv
