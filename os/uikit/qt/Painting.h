#pragma once
// The toolkit's side of drawing: graphics contexts over QPainter, and conversions between the
// toolkit's values and Qt's. For the toolkit's own files only.
#include "uikit/CGGeometry.h"
#include "uikit/UIBezierPath.h"
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
#include <QPen>
#include <QRectF>
#include <QString>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct CGContext {
    QPainter* painter = nullptr;
    QColor fill = Qt::black;
    QColor stroke = Qt::black;
    qreal lineWidth = 1;
    Qt::PenCapStyle lineCap = Qt::FlatCap;
    Qt::PenJoinStyle lineJoin = Qt::BevelJoin;
    // The resource name of the last named image drawn here (see UIImage::name).
    std::string lastImageName;
    // What CGContextSaveGState kept, latest last; the painter keeps its own part (the clip).
    struct State {
        QColor fill;
        QColor stroke;
        qreal lineWidth;
        Qt::PenCapStyle lineCap;
        Qt::PenJoinStyle lineJoin;
    };
    std::vector<State> saved;
};

struct UIBezierPath::Outline {
    QPainterPath path;
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
QLinearGradient toQGradient(const CGLinearGradient& gradient);
// The pen that strokes with the context's colour, line width, cap and join.
QPen strokePen(const CGContext& context);

} // namespace uikit
