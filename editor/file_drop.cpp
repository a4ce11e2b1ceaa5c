#include "editor/file_drop.h"

#include "core/document_file.h"
#include "core/native_path.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

FileDrop::FileDrop(QWidget &window, std::function<void(const QString &)> open)
    : QObject(&window), window_(window), open_(std::move(open))
{
    window_.setAcceptDrops(true);
    // Drags go to the widget under the mouse (the browser pane would load a
    // dropped file itself), so they are looked at before any widget sees them.
    qApp->installEventFilter(this);
}

FileDrop::~FileDrop()
{
    qApp->removeEventFilter(this);
}

QString FileDrop::droppedFile(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return QString();
    for (const QUrl &url : data->urls()) {
        const QString path = pathFromUrl(url);
        if (!path.isEmpty() && isDocumentFile(path))
            return path;
    }
    return QString();
}

bool FileDrop::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != &window_)
        return false;
    auto *drop = static_cast<QDropEvent *>(event);
    const QString file = droppedFile(drop->mimeData());
    if (file.isEmpty())
        return false;
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop) {
        // After the drag has ended: Open may ask its question.
        QTimer::singleShot(0, this, [this, file] { open_(file); });
    }
    return true;
}
