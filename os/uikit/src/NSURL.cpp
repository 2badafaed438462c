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
