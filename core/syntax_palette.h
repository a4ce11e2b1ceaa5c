#pragma once
// The colours of syntax colouring, derived from the text pane's background:
// each kind of token keeps its own hue, and its lightness is chosen so that
// it reads on that background (a contrast ratio of at least 4.5 to 1, the
// usual threshold for text), dark on a light background, light on a dark one.

#include <QColor>

enum class SyntaxRole {
    Tag,
    UnknownTag,
    Attribute,
    UnknownAttribute,
    Value,      // quoted attribute values and strings
    Number,
    Comment,
    Entity,
    Markup,     // doctype, CDATA, processing instructions, XML marks
    Keyword,    // script keywords
    Script,     // script identifiers and symbols
    Css,        // style sheet text
    RoleCount
};

// The WCAG contrast ratio of two colours (1 to 21).
double contrastRatio(const QColor &a, const QColor &b);

QColor syntaxColour(SyntaxRole role, const QColor &background);
