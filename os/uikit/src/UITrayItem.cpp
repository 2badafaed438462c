#include "uikit/UITrayItem.h"

#include "Painting.h"
#include "uikit/UIFont.h"

#include <QApplication>
#include <QIcon>
#include <QMenu>
#include <QPainter>
#include <QSystemTrayIcon>

namespace uikit {
namespace {

// Trays ask for different sizes (22 to 48 pixels); each gets its own drawing, so the count stays
// legible when small.
constexpr int kSizes[] = {16, 22, 24, 32, 48, 64};

QPixmap badged(const QImage& icon, int size, const QString& text)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform |
                           QPainter::TextAntialiasing);
    painter.drawImage(QRectF(0, 0, size, size), icon);
    if (!text.isEmpty()) {
        const QFont font =
            toQFont(UIFont::boldSystemFontOfSize(CGFloat(std::max(8, size * 9 / 16))));
        const qreal height = size * 0.68;
        const qreal width =
            std::max(height, QFontMetricsF(font).horizontalAdvance(text) + size * 0.2);
        const QRectF disc(size - std::min<qreal>(width, size), 0, std::min<qreal>(width, size),
                          height);
        painter.setPen(QPen(Qt::white, std::max(1.0, size / 16.0)));
        painter.setBrush(QColor(220, 20, 26));
        painter.drawRoundedRect(disc.adjusted(0.5, 0.5, -0.5, -0.5), height / 2, height / 2);
        painter.setFont(font);
        painter.drawText(disc, Qt::AlignCenter, text);
    }
    return pixmap;
}

} // namespace

struct TrayItem::Parts {
    QImage icon;
    QMenu menu;
    QSystemTrayIcon tray;
};

bool TrayItem::isAvailable()
{
    ensureApplication();
    return QSystemTrayIcon::isSystemTrayAvailable();
}

TrayItem::TrayItem(const std::string& iconFile, std::vector<TrayMenuItem> menu,
                   std::function<void()> activated)
    : parts_(std::make_unique<Parts>())
{
    ensureApplication();
    // The program lives on in the tray with its window closed.
    QApplication::setQuitOnLastWindowClosed(false);
    parts_->icon.load(QString::fromStdString(iconFile));
    // The device's fonts hold no desktop default; the menu speaks in the toolkit's own.
    parts_->menu.setFont(toQFont(UIFont::systemFontOfSize(13)));
    for (auto& item : menu)
        QObject::connect(parts_->menu.addAction(QString::fromStdString(item.title)),
                         &QAction::triggered, [action = std::move(item.action)] {
                             if (action)
                                 action();
                         });
    parts_->tray.setContextMenu(&parts_->menu);
    QObject::connect(&parts_->tray, &QSystemTrayIcon::activated,
                     [activated = std::move(activated)](QSystemTrayIcon::ActivationReason reason) {
                         if (reason == QSystemTrayIcon::Trigger && activated)
                             activated();
                     });
    setBadge("", QApplication::applicationDisplayName().toStdString());
    parts_->tray.show();
}

TrayItem::~TrayItem() = default;

void TrayItem::setBadge(const std::string& text, const std::string& toolTip)
{
    QIcon icon;
    for (int size : kSizes)
        icon.addPixmap(badged(parts_->icon, size, QString::fromStdString(text)));
    parts_->tray.setIcon(icon);
    parts_->tray.setToolTip(QString::fromStdString(toolTip));
}

} // namespace uikit
