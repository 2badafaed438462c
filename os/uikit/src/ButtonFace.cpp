#include "Painting.h"

namespace uikit {

void paintButtonFace(QPainter& painter, const QPainterPath& outline, const QBrush& fill,
                     const QColor& border)
{
    painter.fillPath(outline, fill);
    painter.save();
    painter.setPen(QPen(border, 1));
    painter.drawPath(outline);
    painter.restore();
}

} // namespace uikit
