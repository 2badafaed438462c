#include "uikit/QtRunLoop.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <map>
#include <memory>

namespace uikit {
namespace {

class QtRunLoop final : public os::RunLoop {
public:
    SourceID addTimer(std::chrono::milliseconds interval, bool repeats, Callback fired) override
    {
        auto* timer = new QTimer;
        timer->setTimerType(Qt::PreciseTimer);
        timer->setSingleShot(!repeats);
        timer->setInterval(interval);
        const SourceID id = ++lastID_;
        QObject::connect(timer, &QTimer::timeout, [this, id, repeats, fired = std::move(fired)] {
            // A copy: removing the source below destroys this lambda's own capture.
            const Callback call = fired;
            if (!repeats)
                remove(id);
            call();
        });
        sources_.emplace(id, timer);
        timer->start();
        return id;
    }

    SourceID addReadWatch(int fd, Callback readable) override
    {
        auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read);
        QObject::connect(notifier, &QSocketNotifier::activated,
                         [readable = std::move(readable)] { readable(); });
        sources_.emplace(++lastID_, notifier);
        return lastID_;
    }

    void remove(SourceID source) override
    {
        const auto it = sources_.find(source);
        if (it == sources_.end())
            return;
        // Deleted later, not now: this may run inside the source's own signal.
        QObject* object = it->second;
        sources_.erase(it);
        if (auto* notifier = qobject_cast<QSocketNotifier*>(object))
            notifier->setEnabled(false);
        if (auto* timer = qobject_cast<QTimer*>(object))
            timer->stop();
        object->deleteLater();
    }

    void post(Callback work) override
    {
        QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(work),
                                  Qt::QueuedConnection);
    }

private:
    SourceID lastID_ = 0;
    std::map<SourceID, QObject*> sources_;
};

} // namespace

os::RunLoop& qtRunLoop()
{
    static QtRunLoop loop;
    return loop;
}

} // namespace uikit
