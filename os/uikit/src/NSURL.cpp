#include "uikit/NSURL.h"

#include <QUrl>

std::shared_ptr<NSURL> NSURL::URLWithString(std::string_view text)
{
    if (text.empty())
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
