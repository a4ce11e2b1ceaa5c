#pragma once
// The image dialog's builder: the values of frmI's controls in, one <img>
// element (in an <a> hyperlink when a link is given) or the message that
// stops it out. No widgets.

#include "core/builder_result.h"

#include <QString>
#include <QStringList>
#include <optional>

// The items of the image dialog's alignment list, in list order. Index 0
// ("bottom") is the browser's own default and adds no align attribute.
inline const QStringList kImageAlignments = {
    QStringLiteral("bottom"),    QStringLiteral("middle"), QStringLiteral("top"),
    QStringLiteral("absbottom"), QStringLiteral("absmiddle"), QStringLiteral("texttop"),
    QStringLiteral("baseline"),  QStringLiteral("left"),   QStringLiteral("right")};

inline const QString kImageTitle = QStringLiteral("Insert Image");
inline const QString kImageMissing =
    QStringLiteral("You must enter an image location as the minumum for this form.");

// The browse buttons' titles.
inline const QString kImageBrowseTitle = QStringLiteral("Choose an Image");
inline const QString kLowImageBrowseTitle = QStringLiteral("Choose a Low Resolution Image");

// Every field is written verbatim between double quotes, untrimmed; an empty
// field writes nothing.
struct ImageFields {
    QString link;
    QString target; // only with a link
    QString image;  // required; blanks count as content
    QString low;
    QString alt;
    int alignIndex = 0; // index into kImageAlignments
    QString border;
    QString hspace;
    QString vspace;
    QString width;
    QString height;
};

// The image, or the message (title kImageTitle) that stops it.
BuilderResult buildImage(const ImageFields &fields);
