#pragma once
// The File menu's list of the last eight documents opened or saved,
// numbered 1 to 8 (the access keys), newest first, kept in the settings
// under "Recent1" to "Recent8". Choosing one opens it as Open does (the
// unsaved-changes question first); one that no longer exists is removed
// from the list with a message. The list is written to the settings a
// moment after it changes (at the latest when the editor closes), not in
// the middle of an Open: at start-up that write would come before the
// window is drawn.

#include <QObject>
#include <QStringList>
#include <QTimer>

class Document;
class Platform;
class QAction;
class QMenu;
class QWidget;

class RecentFiles : public QObject {
    Q_OBJECT
public:
    static constexpr int kLimit = 8;

    // The items go before `before` (Exit), followed by a separator.
    RecentFiles(Document &document, Platform &platform, QMenu &mnuFile, QAction *before,
                QWidget &window);
    ~RecentFiles() override;

    QStringList files() const { return files_; }
    QList<QAction *> items() const { return items_; }
    void choose(int index);

    // `list` with `path` at its head, once, at most kLimit long.
    static QStringList withFirst(QStringList list, const QString &path);

private:
    void remember(const QString &path);
    void store();
    void rebuild();

    Document &document_;
    Platform &platform_;
    QMenu &menu_;
    QAction *before_;
    QWidget &window_;
    QAction *separator_ = nullptr;
    QList<QAction *> items_;
    QStringList files_;
    QTimer storeLater_;
};
