// A desktop notification service for the tests: owns org.freedesktop.Notifications on the session
// bus of DBUS_SESSION_BUS_ADDRESS and appends each notification it is sent to the file given, one
// line "APP_NAME|APP_ICON|SUMMARY|BODY|suppress-sound=VALUE". The file is made, empty, once the
// service answers, so a test knows when to go on.
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVirtualObject>
#include <QFile>

#include <cstdio>

namespace {

const QString kInterface = QStringLiteral("org.freedesktop.Notifications");

class NotificationService : public QDBusVirtualObject {
public:
    explicit NotificationService(QString file) : file_(std::move(file)) {}

    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (message.interface() != kInterface) return false;
        const QList<QVariant> args = message.arguments();
        if (message.member() == QLatin1String("Notify") && args.size() == 8) {
            const auto hints = qdbus_cast<QVariantMap>(args[6]);
            const QString line = QStringList{args[0].toString(), args[2].toString(), args[3].toString(),
                                             args[4].toString(),
                                             "suppress-sound=" + hints.value("suppress-sound").toString()}
                                     .join('|');
            QFile out(file_);
            if (out.open(QIODevice::Append)) out.write((line + '\n').toUtf8());
            return connection.send(message.createReply(QVariant::fromValue(++lastId_)));
        }
        if (message.member() == QLatin1String("GetCapabilities"))
            return connection.send(message.createReply(QStringList{QStringLiteral("body")}));
        if (message.member() == QLatin1String("GetServerInformation"))
            return connection.send(message.createReply(
                QList<QVariant>{"test notification service", "Tortamos", "1", "1.2"}));
        return false;
    }

private:
    QString file_;
    uint lastId_ = 0;
};

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: notification_service FILE\n");
        return 2;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    NotificationService service(QString::fromLocal8Bit(argv[1]));
    if (!bus.isConnected() ||
        !bus.registerVirtualObject(QStringLiteral("/org/freedesktop/Notifications"), &service) ||
        !bus.registerService(kInterface)) {
        std::fprintf(stderr, "notification_service: cannot serve on the session bus\n");
        return 1;
    }
    QFile ready(QString::fromLocal8Bit(argv[1]));
    if (!ready.open(QIODevice::WriteOnly)) return 1;
    ready.close();
    return application.exec();
}
