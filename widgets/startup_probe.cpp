#include "widgets/startup_probe.h"

#include <QEvent>
#include <QFile>
#include <QSet>
#include <QWidget>

#include <ctime>

namespace startup_probe {

namespace {

qint64 nowNs()
{
    timespec ts{};
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// Marks `name` at the first event of `type` that `watched` receives.
class Once : public QObject {
public:
    Once(QObject *watched, QEvent::Type type, const char *name)
        : QObject(watched), type_(type), name_(name)
    {
        watched->installEventFilter(this);
    }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == type_) {
            mark(name_);
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    QEvent::Type type_;
    const char *name_;
};

} // namespace

bool enabled()
{
    return qEnvironmentVariableIsSet("VELMORA_STARTUP_TRACE");
}

void mark(const char *name)
{
    if (!enabled())
        return;
    static QSet<QByteArray> marked; // each name once: the first time counts
    if (marked.contains(name))
        return;
    marked.insert(name);
    const qint64 t0 = qEnvironmentVariable("VELMORA_STARTUP_T0").toLongLong();
    QFile file(qEnvironmentVariable("VELMORA_STARTUP_TRACE"));
    if (file.open(QIODevice::Append))
        file.write(QByteArray(name) + ' ' + QByteArray::number(double(nowNs() - t0) / 1e6, 'f', 1)
                   + '\n');
}

void watch(QWidget *window, QWidget *textViewport)
{
    if (!enabled())
        return;
    new Once(window, QEvent::Paint, "window");
    new Once(textViewport, QEvent::Paint, "text");
}

} // namespace startup_probe
