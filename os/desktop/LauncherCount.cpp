#include "desktop/LauncherCount.h"

#include "Painting.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>
#include <functional>

namespace desktop {

void setLauncherCount(const std::string& desktopEntry, std::optional<long long> count)
{
    uikit::ensureApplication();
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || desktopEntry.empty())
        return;
    // Docks go by the application's URI alone; the path only has to be one of this program's.
    const QString path = QStringLiteral("/com/canonical/unity/launcherentry/%1")
                             .arg(std::hash<std::string>{}(desktopEntry));
    QDBusMessage update = QDBusMessage::createSignal(
        path, QStringLiteral("com.canonical.Unity.LauncherEntry"), QStringLiteral("Update"));
    const QVariantMap properties{{QStringLiteral("count"), qint64(count.value_or(0))},
                                 {QStringLiteral("count-visible"), count.has_value()}};
    update << QStringLiteral("application://%1.desktop").arg(QString::fromStdString(desktopEntry))
           << properties;
    bus.send(update);
}

} // namespace desktop
