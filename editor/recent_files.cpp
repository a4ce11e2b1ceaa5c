#include "editor/recent_files.h"

#include "core/document_file.h"
#include "core/native_path.h"
#include "core/settings.h"
#include "editor/document.h"
#include "widgets/platform.h"

#include <QAction>
#include <QMenu>

namespace {

QString key(int i)
{
    return QStringLiteral("Recent") + QString::number(i + 1);
}

// A name is kept as it is; one that is not UTF-8 (which the settings file
// cannot hold) as its file: URL.
QString toSetting(const QString &path)
{
    return hasRawBytes(path) ? QString::fromLatin1(urlFromPath(path).toEncoded()) : path;
}

QString fromSetting(const QString &value)
{
    return value.startsWith(QStringLiteral("file:")) ? pathFromUrl(QUrl(value)) : value;
}

} // namespace

RecentFiles::RecentFiles(Document &document, Platform &platform, QMenu &mnuFile, QAction *before,
                         QWidget &window)
    : QObject(&document),
      document_(document),
      platform_(platform),
      menu_(mnuFile),
      before_(before),
      window_(window)
{
    const settings::Store store;
    for (int i = 0; i < kLimit; ++i) {
        const QString path = fromSetting(store.get(key(i)).value_or(QString()));
        if (!path.isEmpty() && !files_.contains(path))
            files_ << path;
    }
    separator_ = menu_.insertSeparator(before_);
    rebuild();
    storeLater_.setSingleShot(true);
    storeLater_.setInterval(1000);
    connect(&storeLater_, &QTimer::timeout, this, &RecentFiles::store);
    // Open and Save name the document; New names none.
    connect(&document_, &Document::fileNameChanged, this, [this](const QString &name) {
        if (!name.isEmpty())
            remember(name);
    });
}

RecentFiles::~RecentFiles()
{
    if (storeLater_.isActive())
        store();
}

QStringList RecentFiles::withFirst(QStringList list, const QString &path)
{
    list.removeAll(path);
    list.prepend(path);
    while (list.size() > kLimit)
        list.removeLast();
    return list;
}

void RecentFiles::remember(const QString &path)
{
    const QStringList now = withFirst(files_, path);
    if (now == files_)
        return;
    files_ = now;
    storeLater_.start();
    rebuild();
}

void RecentFiles::store()
{
    storeLater_.stop();
    std::vector<std::pair<QString, QString>> values;
    for (int i = 0; i < kLimit; ++i)
        values.emplace_back(key(i), toSetting(files_.value(i)));
    settings::Store().set(values);
}

void RecentFiles::rebuild()
{
    // An item may be the one being chosen: it goes once its signal is over.
    for (QAction *item : std::as_const(items_)) {
        menu_.removeAction(item);
        item->deleteLater();
    }
    items_.clear();
    for (int i = 0; i < files_.size(); ++i) {
        QString caption = shownPath(files_[i]);
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto *item = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(caption), &menu_);
        menu_.insertAction(separator_, item);
        connect(item, &QAction::triggered, this, [this, i] { choose(i); });
        items_ << item;
    }
    separator_->setVisible(!files_.isEmpty());
}

void RecentFiles::choose(int index)
{
    const QString path = files_.value(index);
    if (path.isEmpty())
        return;
    // What is at the name now, when it is no document: one message each.
    QString why;
    switch (fileKind(path)) {
    case FileKind::Regular:
        document_.openPath(path);
        return;
    case FileKind::Missing:
        why = QStringLiteral("The file '%1' could not be found.");
        break;
    case FileKind::Folder:
        why = QStringLiteral("'%1' is a folder, not a file.");
        break;
    case FileKind::Fifo:
        why = QStringLiteral("'%1' is a named pipe (FIFO), not a file that can be edited.");
        break;
    case FileKind::Other:
        why = QStringLiteral("'%1' is a device or socket, not a file that can be edited.");
        break;
    }
    platform_.messageBox(&window_,
                         why.arg(shownPath(path))
                             + QStringLiteral(" It has been removed from the list of recent files."),
                         QStringLiteral("Open Error"), MsgIcon::Exclamation, MsgButtons::OK);
    files_.removeAt(index);
    store();
    rebuild();
}
