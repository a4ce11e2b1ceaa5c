#pragma once
// The page the "Startup HTML" dialog writes: from the values of its fields to
// the whole text of a new document, or the message that stops it. No widgets.

#include "core/builder_result.h"
#include "core/values.h"

#include <QString>
#include <optional>

struct NewPageFields {
    QString title = QStringLiteral("Title goes here");
    QString startText = QStringLiteral("Page content goes here");
    QString base;
    QString target;

    // The swatch colours; empty while a swatch holds its no-colour value.
    std::optional<ColourValue> backColour; // bgcolor
    std::optional<ColourValue> textColour; // text
    std::optional<ColourValue> linkColour; // link
    std::optional<ColourValue> visitedColour; // vlink
    std::optional<ColourValue> activeColour; // alink

    QString sound;
    bool playContinuously = false;
    QString loop = QStringLiteral("1");

    QString image;
    bool watermark = false;

    QString marginTop;
    QString marginLeft;
    QString styleSheet;
};

// The whole page, or why not. `version` is the program's version text
// ("1.02.0007").
BuilderResult buildNewPage(const NewPageFields &fields, const QString &version);
