#include "desktop/TrayItem.h"

#include "Painting.h"
#include "uikit/UIFont.h"

#include <xcb/xcb.h>

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QIcon>
#include <QMenu>
#include <QPainter>
#include <QSystemTrayIcon>
#include <QTimer>
#include <cstdlib>
#include <memory>

namespace desktop {
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
            uikit::toQFont(UIFont::boldSystemFontOfSize(CGFloat(std::max(8, size * 9 / 16))));
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

const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");
// Long enough for a desktop service that answers at all, short enough not to hold a start up.
constexpr int kAskTimeoutMs = 1000;

QDBusMessage ask(const QDBusConnection& bus, QDBusMessage message)
{
    return bus.call(message, QDBus::Block, kAskTimeoutMs);
}

bool status_notifier_host_registered()
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage owned = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"));
    owned << kWatcher;
    const QDBusMessage hasOwner = ask(bus, owned);
    if (hasOwner.type() != QDBusMessage::ReplyMessage || !hasOwner.arguments().value(0).toBool())
        return false;
    QDBusMessage get = QDBusMessage::createMethodCall(
        kWatcher, QStringLiteral("/StatusNotifierWatcher"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << kWatcher << QStringLiteral("IsStatusNotifierHostRegistered");
    const QDBusMessage registered = ask(bus, get);
    return registered.type() == QDBusMessage::ReplyMessage &&
           registered.arguments().value(0).value<QDBusVariant>().variant().toBool();
}

// Asked without waiting, for the event loop also runs the program's timers: `answered` gets false
// when no answer came in time.
void ask_whether_hosted(std::function<void(bool)> answered)
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        answered(false);
        return;
    }
    QDBusMessage get = QDBusMessage::createMethodCall(
        kWatcher, QStringLiteral("/StatusNotifierWatcher"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << kWatcher << QStringLiteral("IsStatusNotifierHostRegistered");
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(get, kAskTimeoutMs), qApp);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, qApp,
                     [answered = std::move(answered)](QDBusPendingCallWatcher* done) {
                         done->deleteLater();
                         const QDBusPendingReply<QDBusVariant> reply = *done;
                         answered(!reply.isError() && reply.value().variant().toBool());
                     });
}

// A panel registers its watcher and then its host: the item is offered once both are there, since
// Qt decides for good, at the item's making, whether it goes over D-Bus.
void offer_once_hosted(std::function<void()> appeared, int attempts)
{
    ask_whether_hosted([appeared = std::move(appeared), attempts](bool hosted) {
        if (hosted) {
            appeared();
            return;
        }
        if (attempts > 0)
            QTimer::singleShot(1000, qApp,
                               [appeared, attempts] { offer_once_hosted(appeared, attempts - 1); });
    });
}

// An X11 tray (XEmbed) holds the display's system-tray selection.
bool x11_tray_present()
{
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (connection == nullptr)
        return false;
    const char name[] = "_NET_SYSTEM_TRAY_S0";
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 1, sizeof name - 1, name),
                              nullptr),
        &std::free);
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return false;
    std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom),
                                      nullptr),
        &std::free);
    return owner && owner->owner != XCB_WINDOW_NONE;
}

} // namespace

struct TrayItem::Parts {
    QImage icon;
    QMenu menu;
    QSystemTrayIcon tray;
};

// Qt's own check is not asked: it decides once per process whether to reach the tray over
// D-Bus, so asking before a panel comes up would keep the item off that panel for good.
bool TrayItem::isAvailable()
{
    uikit::ensureApplication();
    return status_notifier_host_registered() || x11_tray_present();
}

void TrayItem::whenAvailable(std::function<void()> appeared)
{
    uikit::ensureApplication();
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    auto* watcher =
        new QDBusServiceWatcher(kWatcher, bus, QDBusServiceWatcher::WatchForRegistration, qApp);
    QObject::connect(
        watcher, &QDBusServiceWatcher::serviceRegistered, watcher,
        [watcher, appeared = std::move(appeared)] {
            watcher->deleteLater();
            offer_once_hosted(appeared, 30);
        },
        Qt::SingleShotConnection);
}

TrayItem::TrayItem(const std::string& iconFile, std::vector<TrayMenuItem> menu,
                   std::function<void()> activated)
    : parts_(std::make_unique<Parts>())
{
    uikit::ensureApplication();
    // The program lives on in the tray with its window closed.
    QApplication::setQuitOnLastWindowClosed(false);
    parts_->icon.load(QString::fromStdString(iconFile));
    // The device's fonts hold no desktop default; the menu speaks in the toolkit's own.
    parts_->menu.setFont(uikit::toQFont(UIFont::systemFontOfSize(13)));
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

} // namespace desktop
