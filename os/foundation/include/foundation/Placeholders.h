#pragma once
// Sentences with values in them ("Line %1: %2"), kept whole so that a translation may put the
// values where its language wants them.
#include <span>
#include <string>
#include <string_view>

namespace os {

// The text with %1..%9 replaced by the values, in that order; a placeholder without a value stays
// as it is. Inline, so that code built without the foundation library (the fuzzers) can fill in
// a sentence too.
inline std::string substituted(std::string_view text, std::span<const std::string_view> values)
{
    std::string result;
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t index =
            i + 1 < text.size() && text[i] == '%' ? size_t(text[i + 1] - '1') : values.size();
        if (index < values.size()) {
            result += values[index];
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

} // namespace os
