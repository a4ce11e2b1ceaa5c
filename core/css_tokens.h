#pragma once
// A small tokenizer for the style sheet text inside a page's <style>
// elements, for syntax colouring: selectors, at-rules, property names,
// values, numbers, strings and comments. Positions are UTF-16 offsets in
// the text given.

#include "core/syntax_palette.h"

#include <QStringView>
#include <vector>

struct CssToken {
    int start = 0;
    int length = 0;
    SyntaxRole role = SyntaxRole::Css;
    bool operator==(const CssToken &o) const
    {
        return start == o.start && length == o.length && role == o.role;
    }
};

// Selectors are SyntaxRole::Css, at-rules Keyword, property names
// Attribute, values Value (their numbers Number), strings Value, comments
// Comment. Punctuation and white space get no token.
std::vector<CssToken> cssTokens(QStringView css);
