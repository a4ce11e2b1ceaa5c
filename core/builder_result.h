#pragma once
// What a dialog's builder makes of the values of its fields: the HTML, or
// the message that says why nothing was built (shown with the exclamation
// icon; the document is not changed and the dialog stays open).

#include <QString>
#include <optional>
#include <utility>

struct BuilderMessage {
    QString text;
    QString title;
    bool operator==(const BuilderMessage &o) const { return text == o.text && title == o.title; }
};

struct BuilderResult {
    QString html;                          // when `message` is empty
    std::optional<BuilderMessage> message; // why nothing was built

    static BuilderResult built(QString html) { return {std::move(html), std::nullopt}; }
    static BuilderResult refused(QString text, QString title)
    {
        return {QString(), BuilderMessage{std::move(text), std::move(title)}};
    }
};
