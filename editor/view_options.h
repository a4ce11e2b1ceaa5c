#pragma once
// Options, Syntax colouring and Options, Line numbers: two check marks kept
// in the settings under their own keys ("SyntaxColouring", "LineNumbers"),
// off when the keys are missing, and written as soon as they change.

#include <QObject>

class HTMLPane;
class LineNumbers;
class QAction;
class QMenu;
class SyntaxColouring;

class ViewOptions : public QObject {
    Q_OBJECT
public:
    ViewOptions(HTMLPane &pane, QMenu &mnuOptions);

    QAction *mnuSyntax = nullptr, *mnuLineNumbers = nullptr;
    SyntaxColouring &colouring() { return *colouring_; }
    LineNumbers &lineNumbers() { return *numbers_; }

private:
    SyntaxColouring *colouring_;
    LineNumbers *numbers_;
};
