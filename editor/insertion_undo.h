#pragma once
// The insertion protocol and the one-level undo it feeds, the one way
// generated HTML enters the document:
//   1. record the undo state: the whole text and the selection start;
//   2. replace the selection with the fragment (the text pane's change
//      notification runs here: preview refresh, Undo withdrawn, changed flag);
//   3. offer "&Undo <action name>".
// The undo state is private to this class: nothing else writes it.

#include <QObject>
#include <QString>
#include <functional>

class HTMLPane;
class QAction;
struct MainMenu;

class InsertionUndo : public QObject {
    Q_OBJECT
public:
    // HTML, Undo is served, enabled and captioned here only.
    InsertionUndo(const MainMenu &menu, HTMLPane &pane, QObject *parent);

    // Steps 1 to 3. `betweenReplaceAndUndo`, when given, runs after step 2
    // and before step 3 (the image and marquee dialogs hide themselves there).
    void insert(const QString &fragment, const QString &actionName,
                const std::function<void()> &betweenReplaceAndUndo = {});

    // Step 3 alone: "&Undo <Desc>", enabled.
    void Undo(const QString &Desc);
    // HTML, Undo: the recorded text comes back with the caret where the
    // selection started.
    void restore();
    // A change of the text by the user: the recorded state no longer applies.
    void withdraw();

    QString recordedText() const { return Undotxt; }
    qint32 recordedCaret() const { return Undoloc; }

private:
    HTMLPane &pane_;
    QAction &undoItem_;
    QString Undotxt;
    qint32 Undoloc = 0;
};
