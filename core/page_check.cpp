#include "core/page_check.h"

#include <algorithm>
#include <tidy.h>
#include <tidybuffio.h>

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

} // namespace

QString kindText(PageMessage::Kind kind)
{
    switch (kind) {
    case PageMessage::Error:
        return QStringLiteral("Error");
    case PageMessage::Access:
        return QStringLiteral("Access");
    default:
        return QStringLiteral("Warning");
    }
}

std::vector<PageMessage> checkPage(const QString &source)
{
    std::vector<PageMessage> messages;
    TidyDoc doc = tidyCreate();
    tidySetAppData(doc, &messages);
    tidySetMessageCallback(doc, collect);
    tidyOptSetValue(doc, TidyInCharEncoding, "utf8");
    tidyOptSetValue(doc, TidyOutCharEncoding, "utf8");
    tidyOptSetBool(doc, TidyQuiet, yes);
    tidyOptSetBool(doc, TidyShowWarnings, yes);
    tidyOptSetBool(doc, TidyShowInfo, no);
    tidyOptSetInt(doc, TidyShowErrors, 1000000);
    // Columns count characters: a tab is one.
    tidyOptSetInt(doc, TidyTabSize, 1);

    QByteArray bytes = source.toUtf8();
    TidyBuffer input;
    tidyBufInit(&input);
    tidyBufAttach(&input, reinterpret_cast<byte *>(bytes.data()), uint(bytes.size()));
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

int columnToIndex(QStringView line, int column)
{
    int index = 0;
    for (int c = 1; c < column && index < line.size(); ++c) {
        if (line.at(index).isHighSurrogate() && index + 1 < line.size()
            && line.at(index + 1).isLowSurrogate())
            ++index;
        ++index;
    }
    return index;
}
