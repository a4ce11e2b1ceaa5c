// The two runs of HTML Tidy (libtidy): checking a page and tidying it up.
// Only the checker program (app/velmora_check.cpp) runs them, so the editor
// itself never loads the library.

#include "core/page_check.h"
#include "core/tidy_up.h"

#include <algorithm>
#include <tidy.h>
#include <tidybuffio.h>
#include <vector>

namespace {

Bool TIDY_CALL collect(TidyMessage message)
{
    auto *out = static_cast<std::vector<PageMessage> *>(tidyGetAppData(tidyGetMessageDoc(message)));
    // (No mute list is configured; libtidy 5.6 answers tidyGetMessageIsMuted
    // with an unset value for some errors, so it is not asked.)
    PageMessage m;
    switch (tidyGetMessageLevel(message)) {
    case TidyWarning:
        m.kind = PageMessage::Warning;
        break;
    case TidyAccess:
        m.kind = PageMessage::Access;
        break;
    case TidyError:
    case TidyBadDocument:
    case TidyFatal:
        m.kind = PageMessage::Error;
        break;
    default:
        return no; // information, configuration, summaries
    }
    m.line = qMax(0, tidyGetMessageLine(message));
    m.column = qMax(0, tidyGetMessageColumn(message));
    m.text = QString::fromUtf8(tidyGetMessageDefault(message));
    out->push_back(std::move(m));
    return no; // nothing goes to Tidy's own error output
}

Bool TIDY_CALL noteError(TidyMessage message)
{
    auto *result = static_cast<TidyResult *>(tidyGetAppData(tidyGetMessageDoc(message)));
    const TidyReportLevel level = tidyGetMessageLevel(message);
    if (level == TidyError || level == TidyBadDocument || level == TidyFatal) {
        if (result->errors++ == 0) {
            result->line = qMax(0, tidyGetMessageLine(message));
            result->column = qMax(0, tidyGetMessageColumn(message));
            result->firstError = QString::fromUtf8(tidyGetMessageDefault(message));
        }
    }
    return no; // nothing goes to Tidy's own error output
}

bool isLineEnd(char c)
{
    return c == '\n' || c == '\r';
}

// Where the doctype at the start of the page (after white space) ends,
// with the line end after it; 0 when the page does not begin with one.
qsizetype doctypeEnd(QByteArrayView page)
{
    qsizetype p = 0;
    while (p < page.size() && QChar::isSpace(uchar(page[p])))
        ++p;
    if (!page.sliced(p).toByteArray().left(9).toLower().startsWith("<!doctype"))
        return 0;
    const qsizetype gt = page.indexOf('>', p);
    if (gt < 0)
        return 0;
    qsizetype end = gt + 1;
    if (end < page.size() && page[end] == '\r')
        ++end;
    if (end < page.size() && page[end] == '\n')
        ++end;
    return end;
}

// Sets a yes/no option, whether this libtidy keeps it as a boolean or as
// an auto/yes/no choice (setting it the wrong way aborts).
// A Tidy document that reads and writes UTF-8 and reports each message to
// `callback`, with `data` as its application data.
TidyDoc createUtf8Doc(void *data, TidyMessageCallback callback)
{
    TidyDoc doc = tidyCreate();
    tidySetAppData(doc, data);
    tidySetMessageCallback(doc, callback);
    tidyOptSetValue(doc, TidyInCharEncoding, "utf8");
    tidyOptSetValue(doc, TidyOutCharEncoding, "utf8");
    return doc;
}

void setFlag(TidyDoc doc, TidyOptionId id, bool on)
{
    if (tidyOptGetType(tidyGetOption(doc, id)) == TidyBoolean)
        tidyOptSetBool(doc, id, on ? yes : no);
    else
        tidyOptSetInt(doc, id, on ? TidyYesState : TidyNoState);
}

// The indentation printing the tree would add, at least: every node on a
// line of its own at its depth. Counting stops past `cap`.
qint64 indentation(TidyDoc doc, int indent, qint64 cap)
{
    qint64 total = 0;
    std::vector<std::pair<TidyNode, qint64>> open{{tidyGetRoot(doc), 0}};
    while (!open.empty() && total <= cap) {
        const auto [node, depth] = open.back();
        open.pop_back();
        for (TidyNode child = tidyGetChild(node); child; child = tidyGetNext(child)) {
            total += depth * indent;
            open.push_back({child, depth + 1});
        }
    }
    return total;
}


} // namespace

std::vector<PageMessage> checkPage(const QString &source)
{
    return checkPageUtf8(source.toUtf8());
}

std::vector<PageMessage> checkPageUtf8(QByteArrayView utf8)
{
    std::vector<PageMessage> messages;
    TidyDoc doc = createUtf8Doc(&messages, collect);
    tidyOptSetBool(doc, TidyQuiet, yes);
    tidyOptSetBool(doc, TidyShowWarnings, yes);
    tidyOptSetBool(doc, TidyShowInfo, no);
    tidyOptSetInt(doc, TidyShowErrors, 1000000);
    // Columns count characters: a tab is one.
    tidyOptSetInt(doc, TidyTabSize, 1);

    // Tidy only reads the buffer it is given.
    TidyBuffer input;
    tidyBufInit(&input);
    tidyBufAttach(&input, reinterpret_cast<byte *>(const_cast<char *>(utf8.data())), uint(utf8.size()));
    if (tidyParseBuffer(doc, &input) >= 0)
        tidyRunDiagnostics(doc);
    tidyBufDetach(&input);
    tidyRelease(doc);
    // In the order of the text; the page's own messages first.
    std::stable_sort(messages.begin(), messages.end(), [](const PageMessage &a, const PageMessage &b) {
        return a.line != b.line ? a.line < b.line : a.column < b.column;
    });
    return messages;
}

TidyResult tidyUpUtf8(QByteArrayView utf8, const TidyOptions &options)
{
    TidyResult result;
    // The doctype stays as written: Tidy sees the page after it.
    const qsizetype kept = options.fragment ? 0 : doctypeEnd(utf8);
    const QByteArrayView page = utf8.sliced(kept);
    if (page.trimmed().isEmpty()) {
        result.produced = true;
        result.text = utf8.toByteArray();
        return result;
    }

    TidyDoc doc = createUtf8Doc(&result, noteError);
    setFlag(doc, TidyOutputBOM, false);
    tidyOptSetValue(doc, TidyNewline, newlineName(options.newline));
    setFlag(doc, TidyQuiet, true);
    setFlag(doc, TidyShowInfo, false);
    setFlag(doc, TidyForceOutput, true); // made, then offered only if the user agrees
    setFlag(doc, TidyMark, false);
    tidyOptSetInt(doc, TidyDoctypeMode, TidyDoctypeOmit);
    tidyOptSetInt(doc, TidyBodyOnly, options.fragment ? TidyYesState : TidyAutoState);
    // Re-indent, and change no more than correcting the markup needs.
    tidyOptSetInt(doc, TidyIndentContent, TidyAutoState);
    tidyOptSetInt(doc, TidyIndentSpaces, options.indent);
    tidyOptSetInt(doc, TidyWrapLen, 0);
    setFlag(doc, TidyVertSpace, false);
    setFlag(doc, TidyKeepTabs, true);
    setFlag(doc, TidyPreserveEntities, true);
    setFlag(doc, TidyQuoteNbsp, false); // a no-break space stays a character
    setFlag(doc, TidyLiteralAttribs, true);
    setFlag(doc, TidyDropEmptyElems, false);
    setFlag(doc, TidyDropEmptyParas, false);
    tidyOptSetInt(doc, TidyMergeDivs, TidyNoState);
    tidyOptSetInt(doc, TidyMergeSpans, TidyNoState);
    setFlag(doc, TidyEscapeScripts, false);
    setFlag(doc, TidyStyleTags, false);
    setFlag(doc, TidyFixUri, false);
    setFlag(doc, TidyJoinStyles, false);
    setFlag(doc, TidyLowerLiterals, false);

    TidyBuffer input, output;
    tidyBufInit(&input);
    tidyBufInit(&output);
    tidyBufAttach(&input, reinterpret_cast<byte *>(const_cast<char *>(page.data())), uint(page.size()));
    int rc = tidyParseBuffer(doc, &input);
    if (rc >= 0)
        rc = tidyCleanAndRepair(doc);
    // A deeply nested page indented grows with the square of its depth
    // (10,000 nested elements: 200 MB): such a page is refused.
    const qint64 cap = 8 * qint64(page.size()) + (qint64(16) << 20);
    if (rc >= 0 && indentation(doc, options.indent, cap) > cap) {
        result.refusal = QStringLiteral("The page is nested too deeply to be indented: tidied up, "
                                        "it would grow past %1 MB.")
                             .arg(cap >> 20);
        rc = -1;
    }
    if (rc >= 0)
        rc = tidySaveBuffer(doc, &output);
    tidyBufDetach(&input);
    if (rc >= 0 && output.bp) {
        result.produced = true;
        QByteArray text(reinterpret_cast<const char *>(output.bp), qsizetype(output.size));
        // A page without a line end at its end keeps none.
        if (!isLineEnd(utf8.back()))
            while (!text.isEmpty() && isLineEnd(text.back()))
                text.chop(1);
        result.text = utf8.first(kept).toByteArray() + text;
    }
    // Tidy counted the lines of what it saw: the doctype's come first.
    if (result.line > 0)
        result.line += int(utf8.first(kept).count('\n') + utf8.first(kept).count('\r')
                           - utf8.first(kept).count("\r\n"));
    tidyBufFree(&output);
    tidyRelease(doc);
    return result;
}

