#pragma once
// A URL parsed strictly from its text. A text that is not a valid URL gives no URL at all, so
// whatever is handed a URL never sees a malformed one.
#include <memory>
#include <string>
#include <string_view>

class NSURL {
public:
    // nullptr for an empty text or one that breaks URL syntax (a space, a quote, a bare "%",
    // any character beyond ASCII).
    static std::shared_ptr<NSURL> URLWithString(std::string_view text);

    // The text the URL was made of.
    const std::string& absoluteString() const { return text_; }
    // Lower case; empty for a relative URL.
    const std::string& scheme() const { return scheme_; }
    // The URL in its normal encoded form: safe on a command line or in a log.
    const std::string& encodedString() const { return encoded_; }

    NSURL(std::string text, std::string scheme, std::string encoded);

private:
    std::string text_;
    std::string scheme_;
    std::string encoded_;
};

// The text with every byte but the unreserved ones (letters, digits, "-._~") and those in `keep`
// written as "%XX" (upper-case hex), for a part of a URL.
std::string NSURLPercentEncoded(std::string_view text, std::string_view keep = {});
