#pragma once
// The toolkit's side of drawing: graphics contexts over QPainter, and conversions between the
// toolkit's values and Qt's. For the toolkit's own files only.
#include "uikit/CGGeometry.h"
#include "uikit/UIColor.h"
#include "uikit/UIFont.h"
#include "uikit/UIGraphics.h"
#include "uikit/UIImage.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>

#include <optional>
#include <string>
#include <string_view>

struct CGContext {
    QPainter* painter = nullptr;
    QColor fill = Qt::black;
    QColor stroke = Qt::black;
    qreal lineWidth = 1;
    // The resource name of the last named image drawn here (see UIImage::name).
    std::string lastImageName;
};

struct UIImage::Bitmap {
    QImage image;
    CGSize size; // UIImage::size()
};

namespace uikit {

// A QApplication for this process: made on first need, on Qt's offscreen platform when there
// is no display. Fonts and the screen need it.
void ensureApplication(int argc = 0, char** argv = nullptr);

// Makes the device's small font configuration fontconfig's current one; before Qt asks
// fontconfig for anything, or it has loaded the desktop's already.
void useDeviceFonts();

// The painter becomes the current graphics context for the life of the scope.
class ContextScope {
public:
    explicit ContextScope(QPainter& painter);
    ~ContextScope();
    ContextScope(const ContextScope&) = delete;
    ContextScope& operator=(const ContextScope&) = delete;

private:
    CGContext context_;
};

CGContext* currentContext();
QPainter* currentPainter();

QColor toQColor(const UIColor& color);
QRectF toQRect(const CGRect& rect);
QFont toQFont(const UIFont& font);
QString toQString(std::string_view text);
// size: that of the image when not given.
std::shared_ptr<UIImage> makeImage(QImage image, std::string name = {},
                                   std::optional<CGSize> size = std::nullopt);

// A vertical gradient from top, at the rectangle's top edge, to bottom, at its bottom edge.
QLinearGradient verticalGradient(const QRectF& rect, const QColor& top, const QColor& bottom);
// Fills the rectangle with a vertical gradient from top to bottom.
void fillGradient(QPainter& painter, const QRectF& rect, const QColor& top, const QColor& bottom);
// A button's face, as alerts, action sheets, bars and rounded buttons draw it: the outline filled
// with the brush (a gradient or one colour) and stroked with a one-point line of the border
// colour. The painter's pen is as it was afterwards.
void paintButtonFace(QPainter& painter, const QPainterPath& outline, const QBrush& fill,
                     const QColor& border);
// A bar button's face in the outline: blue on the default bar, black on a black one, a bright
// blue for a Done button; darker while highlighted.
enum class BarButtonFace { kOnBlueBar, kOnBlackBar, kDone };
void paintBarButtonFace(QPainter& painter, const QPainterPath& outline, BarButtonFace face,
                        bool highlighted);
// A bar button's title: white, centred in the rectangle on one line, over a dark shadow a point
// above it.
void drawBarButtonTitle(std::string_view title, const CGRect& rect, const UIFont& font);
// The image's shape (its alpha) filled with one colour.
QImage tinted(const QImage& image, const QColor& color);

} // namespace uikit
