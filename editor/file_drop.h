#pragma once
// A file dropped anywhere on the main window (the text pane and the preview
// included) is opened as Open opens a file, after the same question. Text
// dropped into the text pane is the pane's own business: it is inserted at
// the drop point as one step of the pane's undo history.

#include <QObject>
#include <QString>
#include <functional>

class QMimeData;
class QWidget;

class FileDrop : public QObject {
    Q_OBJECT
public:
    FileDrop(QWidget &window, std::function<void(const QString &)> open);
    ~FileDrop() override;

    // The first local file (not a folder) among the dragged URLs, or empty.
    static QString droppedFile(const QMimeData *data);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget &window_;
    std::function<void(const QString &)> open_;
};
