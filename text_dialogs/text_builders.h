#pragma once
// The fragments of the text commands and dialogs, built from plain values:
// the special character and tag buttons and the styles (frmTag), the styled
// text (frmTag's Text frame), the horizontal rule (frmH), the hyperlink and
// bookmark anchors and the three inserting text utilities. No widgets.

#include "core/values.h"

#include <QList>
#include <QString>
#include <QStringList>

// ---------------------------------------------------------------------------
// frmTag: the fifteen fixed buttons and the fourteen styles.

struct FixedTag {
    const char *control; // e.g. "cmdAmp"
    QString caption;     // as the button shows it ("&&" is one ampersand)
    QString text;        // what the button inserts
    QString action;      // its action name
};
// In the dialog's tab order: the five entities, then each tag's open and close.
const QList<FixedTag> &fixedTags();

struct TagStyle {
    QString item;  // as cmbStyle shows it
    QString open;  // inserted with "Open"
    QString close; // inserted with "Close"
};
// cmbStyle's items in list order.
const QList<TagStyle> &tagStyles();

// "Style: " + the item's text.
QString styleAction(const QString &item);

// ---------------------------------------------------------------------------
// frmTag's Text frame: the styled text.

inline const QString kDefaultItem = QStringLiteral("(default)");
// lstSize's items; index i (1 to 7) is the HTML font size i.
inline const QStringList kStyledSizes = {kDefaultItem,
                                         QStringLiteral("1 (8 pt)"),  QStringLiteral("2 (10 pt)"),
                                         QStringLiteral("3 (12 pt)"), QStringLiteral("4 (14 pt)"),
                                         QStringLiteral("5 (18 pt)"), QStringLiteral("6 (24 pt)"),
                                         QStringLiteral("7 (36 pt)")};
// The sample's point size for each item of lstSize ("(default)" is 12).
inline const QList<int> kStyledSizePoints = {12, 8, 10, 12, 14, 18, 24, 36};
inline const QStringList kStyledAlignments = {kDefaultItem, QStringLiteral("Left"),
                                              QStringLiteral("Centre"), QStringLiteral("Right")};
// The sample's font at load and for "(default)" in the font list.
inline const QString kSampleFontName = QStringLiteral("Times New Roman");
inline const QString kSampleText = QStringLiteral("Sample Text");

struct StyledTextFields {
    QString fontName;      // empty for "(default)"
    int sizeIndex = 0;     // index into kStyledSizes
    int alignIndex = 0;    // index into kStyledAlignments
    ColourValue textColour = kSysButtonText; // its no-colour value adds nothing
    ColourValue backColour = kSysButtonFace; // likewise
    QString text = kSampleText;
};

// `[<div style="background-color: #RRGGBB">][<p align="...">]<font[ face][ size][ color]>`
// + the escaped text + the closing tags; one line.
QString buildStyledText(const StyledTextFields &fields);

// ---------------------------------------------------------------------------
// frmH: the horizontal rule.

// cmbAlign's items; "Centre" (index 1) writes no attribute.
inline const QStringList kRuleAlignments = {QStringLiteral("Left"), QStringLiteral("Centre"),
                                            QStringLiteral("Right")};

struct RuleFields {
    QString size;
    int alignIndex = 1;
    bool shaded = true;
    QString width;
    bool widthPixels = false; // percent otherwise
    ColourValue colour = kSysButtonFace; // the no-colour value writes nothing
};

// `<hr[ size][ align][ noshade ][ width][ color]>`, values verbatim.
QString buildRule(const RuleFields &fields);

// ---------------------------------------------------------------------------
// The hyperlink and bookmark prompts. Every value is given as typed or
// selected; the builders escape each with HTMLtext.

inline const QString kHyperlinkTitle = QStringLiteral("Insert Hyperlink");
inline const QString kBookmarkTitle = QStringLiteral("Insert Bookmark");
inline const QString kQuitQuestion =
    QStringLiteral("Nothing was entered or the cancel button was pressed, do you want to quit?");
inline const QString kAddressDefault = QStringLiteral("http://");

// `<a href="address"[ target][ title]>` + (text, else the address) + `</a>`.
QString buildHyperlink(const QString &text, const QString &address, const QString &target,
                       const QString &title);
// The name prompt's default: the bookmark text, escaped. Accepted as it is,
// it is escaped once more as the name.
QString bookmarkNameDefault(const QString &text);
// `<a name="name"[ title]>` + (text, else the name) + `</a>`.
QString buildBookmark(const QString &text, const QString &name, const QString &title);

// ---------------------------------------------------------------------------
// The text utilities that insert.

inline const QString kFileNameFilter = QStringLiteral("All files (*.*)|*.*");
inline const QString kFileNameTitle = QStringLiteral("Choose a File Name");
inline const QString kConvertTitle = QStringLiteral("Convert HTML to Text");
inline const QString kConvertAdvice = QStringLiteral("Please select some text to convert");

// `"file://` + the path exactly as the file dialog gave it + `"`.
QString fileNameFragment(const QString &path);
// The colour's HTML colour text, quotes included ("#RRGGBB" of an RGB value).
QString htmlColourFragment(ColourValue colour);
