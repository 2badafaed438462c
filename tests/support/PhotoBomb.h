#pragma once
// A photo as a hostile vCard or another program may hand it over: a PNG whose header promises far
// more pixels than its few kilobytes suggest.
#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <vector>

// A real PNG of one colour, width x height pixels, one bit each: a few kilobytes that decode to
// width x height x 4 bytes wherever they are drawn.
inline std::vector<unsigned char> compressedPng(int width, int height, QColor color = Qt::red)
{
    QImage image(width, height, QImage::Format_Mono);
    image.setColorCount(2);
    image.setColor(0, color.rgb());
    image.setColor(1, color.rgb());
    image.fill(0);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return {bytes.begin(), bytes.end()};
}
