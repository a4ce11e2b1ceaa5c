// Syntax colouring and line numbers on the text pane: switching colouring
// off gives back every style of the uniform format; while it is on the
// HTML font still sets the face, size and effects of all the text and the
// palette reads on light and dark backgrounds; the line-number margin
// widens with the number of lines and goes away when switched off.
#include "core/css_tokens.h"
#include "core/syntax_palette.h"
#include "widgets/html_pane.h"
#include "widgets/pane_decor.h"

#include <Qsci/qscilexerhtml.h>

namespace {

using SB = QsciScintillaBase;

const QString kPage = QStringLiteral(
    "<!-- c -->\r\n<p class=\"x\">a &amp; b</p>\r\n<script>var n = 1; // c\r\n</script>\r\n"
    "<style>p { color: red }</style>\r\n");

long style(const HTMLPane &p, unsigned long msg, int s)
{
    return p.SendScintilla(msg, static_cast<unsigned long>(s));
}

// Everything the uniform format decides: every style's look, the caret, and
// the style of every character.
QStringList look(HTMLPane &p)
{
    QStringList out{QString::number(p.SendScintilla(SB::SCI_GETCARETFORE))};
    for (int s = 0; s <= 255; ++s) {
        char font[256] = {};
        p.SendScintilla(SB::SCI_STYLEGETFONT, static_cast<unsigned long>(s), font);
        QString line = QStringLiteral("style %1: %2").arg(s).arg(QString::fromUtf8(font));
        for (unsigned long msg : {SB::SCI_STYLEGETSIZEFRACTIONAL, SB::SCI_STYLEGETBOLD, SB::SCI_STYLEGETITALIC,
                                  SB::SCI_STYLEGETUNDERLINE, SB::SCI_STYLEGETFORE, SB::SCI_STYLEGETBACK})
            line += " " + QString::number(style(p, msg, s));
        out << line;
    }
    for (unsigned long i = 0; i < static_cast<unsigned long>(p.SendScintilla(SB::SCI_GETTEXTLENGTH)); ++i)
        out << QStringLiteral("at %1: %2 %3").arg(i).arg(p.SendScintilla(SB::SCI_GETSTYLEAT, i))
                   .arg(p.SendScintilla(SB::SCI_INDICATORALLONFOR, i));
    return out;
}

FontChoice font(const QString &name, double size, bool bold, ColourValue colour)
{
    return FontChoice{name, size, bold, true, false, false, colour}; // italic
}

} // namespace

Q_DECLARE_METATYPE(FontChoice)

class TestPaneDecor : public QObject {
    Q_OBJECT
private slots:
    void colouringRoundTrip_data()
    {
        QTest::addColumn<FontChoice>("format");
        QTest::addColumn<ColourValue>("back");
        QTest::newRow("black on white") << font("DejaVu Sans Mono", 10, false, 0) << ColourValue(0xFFFFFF);
        QTest::newRow("system window colour") << font("DejaVu Sans Mono", 8, false, 0)
                                              << ColourValue(0x80000005u);
    }
    void colouringRoundTrip()
    {
        QFETCH(FontChoice, format);
        QFETCH(ColourValue, back);
        HTMLPane pane;
        pane.setWholeText(kPage);
        pane.setSelFormat(format);
        pane.setBackColour(back);
        const QStringList before = look(pane);

        SyntaxColouring colouring(pane);
        colouring.setOn(true);
        const long text = style(pane, SB::SCI_STYLEGETFORE, SB::STYLE_DEFAULT);
        const long tag = style(pane, SB::SCI_STYLEGETFORE, QsciLexerHTML::Tag);
        QCOMPARE(pane.SendScintilla(SB::SCI_GETSTYLEAT, 13UL), long(QsciLexerHTML::Tag)); // "<p"
        QVERIFY(tag != text && style(pane, SB::SCI_STYLEGETFORE, QsciLexerHTML::HTMLComment) != tag
                && style(pane, SB::SCI_STYLEGETFORE, QsciLexerHTML::JavaScriptKeyword) != text);
        // The style sheet's property name is coloured over the lexer's plain text.
        const long color = kPage.indexOf("color");
        QVERIFY(pane.SendScintilla(SB::SCI_INDICATORVALUEAT, 10UL, color) != 0);
        // The HTML font still rules every style's face, size and effects.
        FontChoice bigger = format;
        bigger.size = 20;
        bigger.underline = true;
        pane.setSelFormat(bigger);
        for (int s : {0, int(QsciLexerHTML::Tag), int(QsciLexerHTML::JavaScriptWord)})
            QVERIFY(style(pane, SB::SCI_STYLEGETSIZEFRACTIONAL, s) == 2000 && style(pane, SB::SCI_STYLEGETUNDERLINE, s)
                    && style(pane, SB::SCI_STYLEGETBACK, s) == style(pane, SB::SCI_STYLEGETBACK, 0));
        QCOMPARE(style(pane, SB::SCI_STYLEGETFORE, QsciLexerHTML::Tag), tag);
        pane.setSelFormat(format);

        colouring.setOn(false);
        QCOMPARE(look(pane), before);
    }

    void paletteReads_data()
    {
        QTest::addColumn<QColor>("background");
        QTest::addColumn<bool>("distinct"); // mid greys leave room for black (or white) only
        for (const char *c : {"#ffffff", "#000000", "#000080", "#ffff00", "#1e1e1e", "#f5f5dc"})
            QTest::newRow(c) << QColor(c) << true;
        for (const char *c : {"#777777", "#767676", "#008000"})
            QTest::newRow(c) << QColor(c) << false;
    }
    void paletteReads()
    {
        QFETCH(QColor, background);
        QFETCH(bool, distinct);
        QSet<QRgb> colours;
        for (int r = 0; r < int(SyntaxRole::RoleCount); ++r) {
            const QColor c = syntaxColour(SyntaxRole(r), background);
            QVERIFY2(contrastRatio(c, background) >= 4.5,
                     qPrintable(QStringLiteral("role %1: %2").arg(r).arg(c.name())));
            colours.insert(c.rgb());
        }
        if (distinct)
            QVERIFY(colours.size() >= int(SyntaxRole::RoleCount) - 2);
    }

    void cssTokens_data()
    {
        QTest::addColumn<QString>("css");
        QTest::addColumn<QString>("tokens"); // role letter and text of each token
        QTest::newRow("rule") << "h1.title, p { margin: 0 1em; color: #333 }"
                              << "S[h1.title, p] A[margin] N[0] N[1em] A[color] N[#333]";
        QTest::newRow("comment, string, at-rule")
            << "/* x */ @import \"a.css\"; @media print { p { font-family: 'Sans', serif } }"
            << "C[/* x */] K[@import] V[\"a.css\"] K[@media] S[print] S[p] A[font-family] V['Sans'] V[serif]";
        QTest::newRow("unclosed comment") << "p { } /* open" << "S[p] C[/* open]";
    }
    void cssTokens()
    {
        QFETCH(QString, css);
        QStringList got;
        for (const CssToken &t : ::cssTokens(css)) {
            const char *letter = t.role == SyntaxRole::Css ? "S" : t.role == SyntaxRole::Keyword ? "K"
                : t.role == SyntaxRole::Attribute ? "A" : t.role == SyntaxRole::Number ? "N"
                : t.role == SyntaxRole::Comment ? "C" : t.role == SyntaxRole::Value ? "V" : "?";
            got << QStringLiteral("%1[%2]").arg(letter, css.mid(t.start, t.length));
        }
        QTEST(got.join(' '), "tokens");
    }

    void lineNumbersWiden()
    {
        HTMLPane pane;
        LineNumbers numbers(pane);
        pane.setWholeText(QStringLiteral("a\r\nb"));
        QCOMPARE(numbers.marginWidth(), 0);
        numbers.setOn(true);
        const int two = numbers.marginWidth();
        pane.setWholeText(QStringLiteral("x\r\n").repeated(12345));
        const int five = numbers.marginWidth();
        QVERIFY(two > 0 && five > two);
        pane.setSelFormat(font("DejaVu Sans Mono", 24, false, 0));
        QVERIFY(numbers.marginWidth() > five); // follows the font
        numbers.setOn(false);
        QCOMPARE(numbers.marginWidth(), 0);
    }
};

QTEST_MAIN(TestPaneDecor)
#include "tst_pane_decor.moc"
