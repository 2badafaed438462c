// The desktop's services for the tests, on the session bus of DBUS_SESSION_BUS_ADDRESS:
// - the notification service (org.freedesktop.Notifications): each notification it is sent is a
//   line "APP_NAME|APP_ICON|SUMMARY|BODY|suppress-sound=VALUE", then " id=N replaces=N
//   actions=A,B expire=MS" when the file name ends in ".full";
// and only then, or alone when the file name ends in ".tray" (a panel started later):
// - a tray host (org.kde.StatusNotifierWatcher): "tray TITLE icon=HASH" for each item that
//   registers and each change of its tooltip or icon;
// - a dock: "dock URI count=N visible=BOOL" for each com.canonical.Unity.LauncherEntry Update.
// All lines go to the file given, made empty once the services answer, so a test knows when to
// go on. The test makes the user answer a notification by calling Invoke(id) (a click) or
// Dismiss(id) on the notification service's object.
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QFile>
#include <cstdio>

namespace {

const QString kNotifications = QStringLiteral("org.freedesktop.Notifications");
const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kItem = QStringLiteral("org.kde.StatusNotifierItem");

class Record {
public:
    explicit Record(QString file) : file_(std::move(file)) {}
    void line(const QString& text) const
    {
        QFile out(file_);
        if (out.open(QIODevice::Append))
            out.write((text + '\n').toUtf8());
    }
    bool full() const { return file_.endsWith(QLatin1String(".full")); }
    bool trayOnly() const { return file_.endsWith(QLatin1String(".tray")); }

private:
    QString file_;
};

class NotificationService : public QDBusVirtualObject {
public:
    explicit NotificationService(const Record& record) : record_(record) {}

    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        if (message.interface() != kNotifications)
            return false;
        const QList<QVariant> args = message.arguments();
        if (message.member() == QLatin1String("Notify") && args.size() == 8) {
            const auto hints = qdbus_cast<QVariantMap>(args[6]);
            const uint replaces = args[1].toUInt();
            const uint id = replaces != 0 ? replaces : ++lastId_;
            QString line = QStringList{args[0].toString(), args[2].toString(), args[3].toString(),
                                       args[4].toString(),
                                       "suppress-sound=" + hints.value("suppress-sound").toString()}
                               .join('|');
            if (record_.full())
                line += QStringLiteral(" id=%1 replaces=%2 actions=%3 expire=%4")
                            .arg(id)
                            .arg(replaces)
                            .arg(args[5].toStringList().join(','))
                            .arg(args[7].toInt());
            record_.line(line);
            return connection.send(message.createReply(QVariant::fromValue(id)));
        }
        if (message.member() == QLatin1String("CloseNotification") && !args.isEmpty()) {
            record_.line(QStringLiteral("closed id=%1").arg(args[0].toUInt()));
            closed(connection, args[0].toUInt(), 3);
            return connection.send(message.createReply());
        }
        if (message.member() == QLatin1String("Invoke") && !args.isEmpty()) {
            signal(connection, QStringLiteral("ActionInvoked"),
                   {args[0].toUInt(), QStringLiteral("default")});
            closed(connection, args[0].toUInt(), 2);
            return connection.send(message.createReply());
        }
        if (message.member() == QLatin1String("Dismiss") && !args.isEmpty()) {
            closed(connection, args[0].toUInt(), 2);
            return connection.send(message.createReply());
        }
        if (message.member() == QLatin1String("GetCapabilities"))
            return connection.send(message.createReply(
                QStringList{QStringLiteral("body"), QStringLiteral("actions")}));
        if (message.member() == QLatin1String("GetServerInformation"))
            return connection.send(message.createReply(
                QList<QVariant>{"test notification service", "Tortamos", "1", "1.2"}));
        return false;
    }

private:
    static void signal(const QDBusConnection& connection, const QString& name,
                       const QList<QVariant>& args)
    {
        QDBusMessage signal = QDBusMessage::createSignal(
            QStringLiteral("/org/freedesktop/Notifications"), kNotifications, name);
        signal.setArguments(args);
        connection.send(signal);
    }
    static void closed(const QDBusConnection& connection, uint id, uint reason)
    {
        signal(connection, QStringLiteral("NotificationClosed"), {id, reason});
    }

    const Record& record_;
    uint lastId_ = 0;
};

// The tray host: the items register with it; it reads each one's tooltip (its title and icon)
// at registration and whenever the item says it changed.
class TrayWatcher : public QDBusVirtualObject {
    Q_OBJECT
public:
    TrayWatcher(const Record& record, QDBusConnection bus) : record_(record), bus_(std::move(bus))
    {
    }

    QString introspect(const QString&) const override
    {
        return QStringLiteral(
            "<interface name=\"org.kde.StatusNotifierWatcher\">"
            "<method name=\"RegisterStatusNotifierItem\"><arg name=\"service\" type=\"s\" "
            "direction=\"in\"/></method>"
            "<method name=\"RegisterStatusNotifierHost\"><arg name=\"service\" type=\"s\" "
            "direction=\"in\"/></method>"
            "<property name=\"RegisteredStatusNotifierItems\" type=\"as\" access=\"read\"/>"
            "<property name=\"IsStatusNotifierHostRegistered\" type=\"b\" access=\"read\"/>"
            "<property name=\"ProtocolVersion\" type=\"i\" access=\"read\"/>"
            "</interface>");
    }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        const QList<QVariant> args = message.arguments();
        if (message.interface() == QLatin1String("org.freedesktop.DBus.Properties") &&
            message.member() == QLatin1String("Get") && args.size() == 2) {
            QVariant value;
            if (args[1] == QLatin1String("IsStatusNotifierHostRegistered"))
                value = true;
            else if (args[1] == QLatin1String("ProtocolVersion"))
                value = 0;
            else if (args[1] == QLatin1String("RegisteredStatusNotifierItems"))
                value = QStringList(items_);
            else
                return false;
            return connection.send(message.createReply(QVariant::fromValue(QDBusVariant(value))));
        }
        if (message.interface() == kWatcher &&
            message.member() == QLatin1String("RegisterStatusNotifierItem") && !args.isEmpty()) {
            // An item names its bus name, or its path on the caller's connection.
            const QString named = args[0].toString();
            const QString service = named.startsWith('/') ? message.service() : named;
            items_.append(service);
            for (const char* change : {"NewToolTip", "NewIcon"})
                bus_.connect(service, QStringLiteral("/StatusNotifierItem"), kItem,
                             QLatin1String(change), this, SLOT(changed()));
            read(service);
            return connection.send(message.createReply());
        }
        if (message.interface() == kWatcher &&
            message.member() == QLatin1String("RegisterStatusNotifierHost"))
            return connection.send(message.createReply());
        return false;
    }

private slots:
    void changed()
    {
        for (const auto& service : items_)
            read(service);
    }

private:
    void read(const QString& service)
    {
        QDBusMessage get = QDBusMessage::createMethodCall(
            service, QStringLiteral("/StatusNotifierItem"),
            QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("GetAll"));
        get << kItem;
        auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(get), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this,
                [this](QDBusPendingCallWatcher* done) {
                    done->deleteLater();
                    const QDBusPendingReply<QVariantMap> reply = *done;
                    if (reply.isError())
                        return;
                    const QString line =
                        QStringLiteral("tray %1 icon=%2")
                            .arg(title(reply.value().value("ToolTip")).replace('\n', " / "),
                                 pictures(reply.value().value("IconPixmap")));
                    if (line != last_)
                        record_.line(line);
                    last_ = line;
                });
    }

    static QString pictures(const QVariant& value)
    {
        return pictures(value.value<QDBusArgument>());
    }

    // The pictures a(iiay) of an icon, as a short hash.
    static QString pictures(const QDBusArgument& array)
    {
        QCryptographicHash hash(QCryptographicHash::Sha1);
        array.beginArray();
        while (!array.atEnd()) {
            int width = 0, height = 0;
            QByteArray pixels;
            array.beginStructure();
            array >> width >> height >> pixels;
            array.endStructure();
            hash.addData(pixels);
        }
        array.endArray();
        return QString::fromLatin1(hash.result().toHex().left(12));
    }

    // The title of a tooltip (s a(iiay) s s): icon name, pictures, title, text.
    static QString title(const QVariant& value)
    {
        const auto tip = value.value<QDBusArgument>();
        QString iconName, title, text;
        tip.beginStructure();
        tip >> iconName;
        pictures(tip);
        tip >> title >> text;
        tip.endStructure();
        return title;
    }

    const Record& record_;
    QDBusConnection bus_;
    QStringList items_;
    QString last_;
};

// The dock: hears every launcher count on the bus.
class Dock : public QObject {
    Q_OBJECT
public:
    explicit Dock(const Record& record) : record_(record) {}

public slots:
    void update(const QString& uri, const QVariantMap& properties)
    {
        record_.line(QStringLiteral("dock %1 count=%2 visible=%3")
                         .arg(uri, properties.value("count").toString(),
                              properties.value("count-visible").toBool() ? "true" : "false"));
    }

private:
    const Record& record_;
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: notification_service FILE\n");
        return 2;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    const Record record(QString::fromLocal8Bit(argv[1]));
    NotificationService notifications(record);
    TrayWatcher tray(record, bus);
    Dock dock(record);
    const bool notifies = !record.trayOnly();
    const bool hostsTray = record.full() || record.trayOnly();
    if (!bus.isConnected() ||
        (notifies && (!bus.registerVirtualObject(QStringLiteral("/org/freedesktop/Notifications"),
                                                 &notifications) ||
                      !bus.registerService(kNotifications))) ||
        (hostsTray &&
         (!bus.registerVirtualObject(QStringLiteral("/StatusNotifierWatcher"), &tray) ||
          !bus.registerService(kWatcher) ||
          !bus.connect({}, {}, QStringLiteral("com.canonical.Unity.LauncherEntry"),
                       QStringLiteral("Update"), &dock, SLOT(update(QString, QVariantMap)))))) {
        std::fprintf(stderr, "notification_service: cannot serve on the session bus\n");
        return 1;
    }
    QFile ready(QString::fromLocal8Bit(argv[1]));
    if (!ready.open(QIODevice::WriteOnly))
        return 1;
    ready.close();
    return application.exec();
}

#include "notification_service.moc"
