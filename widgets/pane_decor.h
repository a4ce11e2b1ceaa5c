#pragma once
// Two optional looks of the text pane, each off until switched on:
// syntax colouring (QScintilla's HTML lexer, with embedded script, and the
// style sheets of <style> elements coloured over it) and the
// line-number margin. Both follow the pane's uniform format: the HTML font
// command keeps setting the face, size and effects of all the text, and its
// colour and the background colour stay those of plain text. Switching
// either off gives back the plain text box exactly.

#include <QObject>
#include <QTimer>

class HTMLPane;
class QsciLexerHTML;

class SyntaxColouring : public QObject {
    Q_OBJECT
public:
    explicit SyntaxColouring(HTMLPane &pane);
    bool isOn() const { return lexer_ != nullptr; }
    void setOn(bool on);

    // Colours the style sheets of <style> elements now (it follows changes
    // of the text shortly after they are made).
    void colourStyleSheets();

private:
    void applyPalette();
    void clearStyleSheets();
    HTMLPane &pane_;
    QsciLexerHTML *lexer_ = nullptr;
    QTimer cssLater_;
};

class LineNumbers : public QObject {
    Q_OBJECT
public:
    explicit LineNumbers(HTMLPane &pane);
    bool isOn() const { return on_; }
    void setOn(bool on);
    // The margin's width in pixels (0 when off).
    int marginWidth() const;

private:
    void fit();
    HTMLPane &pane_;
    bool on_ = false;
    int digits_ = 0;
};
