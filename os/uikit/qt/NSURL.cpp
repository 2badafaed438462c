#include "uikit/NSURL.h"

#include <QUrl>
#include <algorithm>

std::shared_ptr<NSURL> NSURL::URLWithString(std::string_view text)
{
    // URL syntax is ASCII: a character beyond it, a non-breaking space say, makes no URL.
    if (text.empty() || std::any_of(text.begin(), text.end(), [](char c) { return c & 0x80; }))
        return nullptr;
    const QUrl url(QString::fromUtf8(text.data(), qsizetype(text.size())), QUrl::StrictMode);
    if (!url.isValid())
        return nullptr;
    return std::make_shared<NSURL>(std::string(text), url.scheme().toLower().toStdString(),
                                   url.toEncoded().toStdString());
}

NSURL::NSURL(std::string text, std::string scheme, std::string encoded)
    : text_(std::move(text)), scheme_(std::move(scheme)), encoded_(std::move(encoded))
{
}

std::string NSURLPercentEncoded(std::string_view text, std::string_view keep)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool unreserved = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                                (byte >= '0' && byte <= '9') || c == '-' || c == '.' || c == '_' ||
                                c == '~';
        if (unreserved || keep.find(c) != std::string_view::npos) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 0xF];
        }
    }
    return encoded;
}
