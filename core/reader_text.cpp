#include "core/reader_text.h"

#include <QChar>
#include <cstring>

namespace spelling {

namespace {

// A piece of text is handed out once it is this long, at the next white space.
constexpr qsizetype kPiece = 4096;
// Longer runs of letters are data, not words (and beyond Hunspell's limit).
constexpr qsizetype kLongestWord = 60;

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool isAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool startsWithNoCase(QByteArrayView s, qsizetype at, QByteArrayView what)
{
    if (at + what.size() > s.size())
        return false;
    for (qsizetype i = 0; i < what.size(); ++i)
        if (lower(s[at + i]) != what[i])
            return false;
    return true;
}

QByteArray normalLang(QByteArrayView value)
{
    QByteArray lang = value.trimmed().toByteArray().toLower().replace('_', '-');
    return lang.isEmpty() ? QByteArray("und") : lang;
}

// The UTF-8 character at `i` (a lone or broken byte reads as U+FFFD).
char32_t decode(QByteArrayView s, qsizetype i, qsizetype end, int &len)
{
    const auto b = uchar(s[i]);
    if (b < 0x80) {
        len = 1;
        return b;
    }
    const int n = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 0;
    if (n == 0 || i + n > end) {
        len = 1;
        return 0xFFFD;
    }
    char32_t cp = b & (0x7F >> n);
    for (int k = 1; k < n; ++k) {
        const auto c = uchar(s[i + k]);
        if ((c & 0xC0) != 0x80) {
            len = 1;
            return 0xFFFD;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    len = n;
    return cp;
}

// A character reference at `i` ("&name;", "&#233;", "&#xE9;"): its length
// (0 when there is none) and the character, 0 for a name not known here.
int reference(QByteArrayView s, qsizetype i, qsizetype end, char32_t &cp)
{
    static const struct {
        const char *name;
        char32_t cp;
    } named[] = {{"nbsp", 0xA0},   {"amp", '&'},     {"lt", '<'},      {"gt", '>'},       {"quot", '"'},
                 {"apos", '\''},   {"rsquo", 0x2019}, {"lsquo", 0x2018}, {"ldquo", 0x201C}, {"rdquo", 0x201D},
                 {"mdash", 0x2014}, {"ndash", 0x2013}, {"hellip", 0x2026}, {"ensp", 0x2002}, {"emsp", 0x2003},
                 {"thinsp", 0x2009}, {"laquo", 0xAB},  {"raquo", 0xBB},   {"bull", 0x2022},  {"middot", 0xB7},
                 {"copy", 0xA9},   {"reg", 0xAE},    {"trade", 0x2122}};
    qsizetype j = i + 1;
    if (j < end && s[j] == '#') {
        const bool hex = j + 1 < end && (s[j + 1] == 'x' || s[j + 1] == 'X');
        j += hex ? 2 : 1;
        const qsizetype digits = j;
        char32_t value = 0;
        while (j < end && j - digits < 8 && (hex ? isxdigit(uchar(s[j])) : isdigit(uchar(s[j])))) {
            const char c = lower(s[j]);
            value = value * (hex ? 16 : 10) + char32_t(c <= '9' ? c - '0' : c - 'a' + 10);
            ++j;
        }
        if (j == digits || j >= end || s[j] != ';')
            return 0;
        cp = value;
        return int(j + 1 - i);
    }
    while (j < end && j - i <= 32 && (isAsciiLetter(s[j]) || isdigit(uchar(s[j]))))
        ++j;
    if (j == i + 1 || j >= end || s[j] != ';' || !isAsciiLetter(s[i + 1]))
        return 0;
    const QByteArrayView name = s.sliced(i + 1, j - i - 1);
    cp = 0;
    for (const auto &n : named)
        if (name == n.name)
            cp = n.cp;
    return int(j + 1 - i);
}

bool isApostrophe(char32_t c)
{
    return c == '\'' || c == 0x2019;
}

bool isHyphen(char32_t c)
{
    return c == '-' || c == 0x2010;
}

bool isSpace(char32_t c)
{
    return c == 0xA0 || QChar::isSpace(c);
}

// A web or e-mail address, a host or a file name: not words.
bool looksLikeAddress(QByteArrayView token)
{
    if (token.contains("://") || token.contains('@') || startsWithNoCase(token, 0, "www."))
        return true;
    for (qsizetype i = 1; i + 1 < token.size(); ++i)
        if (token[i] == '.' && (isAsciiLetter(token[i - 1]) || isdigit(uchar(token[i - 1])))
            && isAsciiLetter(token[i + 1]))
            return true;
    return false;
}

} // namespace

bool ReadingState::operator==(const ReadingState &o) const
{
    // Places in the page are not compared: those of a remembered state
    // have moved with the changes before them.
    return langs == o.langs
        && std::equal(elements.begin(), elements.end(), o.elements.begin(), o.elements.end(),
                      [](const markup::OpenElement &a, const markup::OpenElement &b) { return a.name == b.name; });
}

ReaderTextScanner::ReaderTextScanner(QByteArrayView html, qsizetype from, ReadingState state)
    : html_(html), reader_(html, html.size(), from, std::move(state.elements)), langs_(std::move(state.langs))
{
}

bool ReaderTextScanner::next(TextRun &run)
{
    for (;;) {
        if (!pending_.empty()) {
            run = pending_.front();
            pending_.pop_front();
            return true;
        }
        if (textFrom_ < textTo_) {
            qsizetype end = textTo_;
            for (qsizetype i = textFrom_ + kPiece; i < textTo_; ++i) {
                if (isBlank(html_[i])) {
                    end = i;
                    break;
                }
            }
            run = TextRun{textFrom_, end, lang()};
            textFrom_ = end;
            return true;
        }
        // After a start tag of script, style, title, textarea and the like
        // comes their body, which holds no tags.
        const bool body = !reader_.atRestartPoint();
        const QByteArray bodyOf = body ? reader_.tagName() : QByteArray();
        if (!reader_.next())
            return false;
        const qsizetype start = reader_.tokenStart(), end = reader_.pos();
        if (reader_.tokenIsTag())
            tag(start, end);
        else if (body && (bodyOf == "title" || bodyOf == "textarea"))
            pending_.push_back(TextRun{start, end, lang()});
        else if (!body && (html_[start] != '<' || end == start + 1)) // not a comment or declaration
            textFrom_ = start, textTo_ = end;
    }
}

void ReaderTextScanner::tag(qsizetype start, qsizetype end)
{
    // The elements the tag closed; the one it opened comes after them.
    langs_.resize(reader_.stack().size() - (reader_.opened() ? 1 : 0));
    if (reader_.tokenIsEndTag())
        return;
    std::vector<TextRun> visible; // alt, title and placeholder values
    QByteArray ownLang;
    bool hasLang = false;
    qsizetype i = start + 1;
    while (i < end && !isBlank(html_[i]) && html_[i] != '/' && html_[i] != '>')
        ++i;
    while (i < end) {
        while (i < end && (isBlank(html_[i]) || html_[i] == '/'))
            ++i;
        if (i >= end || html_[i] == '>' || html_[i] == '<')
            break;
        const qsizetype attrStart = i;
        ++i; // a name may begin with '='
        while (i < end && !isBlank(html_[i]) && html_[i] != '=' && html_[i] != '>' && html_[i] != '/')
            ++i;
        const QByteArray attr = html_.sliced(attrStart, i - attrStart).toByteArray().toLower();
        while (i < end && isBlank(html_[i]))
            ++i;
        if (i >= end || html_[i] != '=')
            continue;
        ++i;
        while (i < end && isBlank(html_[i]))
            ++i;
        qsizetype valueStart = i, valueEnd = i;
        if (i < end && (html_[i] == '"' || html_[i] == '\'')) {
            const qsizetype close = html_.indexOf(html_[i], i + 1);
            valueStart = i + 1;
            valueEnd = close < 0 || close > end ? end : close;
            i = valueEnd + 1;
        } else {
            while (i < end && !isBlank(html_[i]) && html_[i] != '>' && html_[i] != '<')
                ++i;
            valueEnd = i;
        }
        if (attr == "lang" || attr == "xml:lang") {
            hasLang = true;
            ownLang = normalLang(html_.sliced(valueStart, valueEnd - valueStart));
        } else if (attr == "alt" || attr == "title" || attr == "placeholder") {
            visible.push_back(TextRun{valueStart, valueEnd, {}});
        }
    }
    const QByteArray here = hasLang ? ownLang : lang();
    if (reader_.opened())
        langs_.push_back(here);
    for (TextRun &run : visible) {
        run.lang = here;
        pending_.push_back(run);
    }
}

void wordsIn(QByteArrayView html, const TextRun &run, std::vector<Word> &out)
{
    enum Kind { Letter, Taint, Joiner, Separator };
    qsizetype i = run.start;
    while (i < run.end) {
        // One token: up to the next white space.
        int len = 1;
        while (i < run.end && isSpace(decode(html, i, run.end, len)))
            i += len;
        const qsizetype tokenStart = i;
        while (i < run.end && !isSpace(decode(html, i, run.end, len)))
            i += len;
        const qsizetype tokenEnd = i;
        if (tokenEnd == tokenStart || looksLikeAddress(html.sliced(tokenStart, tokenEnd - tokenStart)))
            continue;

        qsizetype start = -1, end = -1;
        QString text;
        bool clean = true;
        QChar join;
        auto finish = [&] {
            if (start >= 0 && clean && text.size() <= kLongestWord)
                out.push_back(Word{start, end, text, run.lang});
            start = -1;
            text.clear();
            clean = true;
            join = QChar();
        };
        for (qsizetype j = tokenStart; j < tokenEnd; j += len) {
            char32_t cp = 0;
            Kind kind = Separator;
            if (html[j] == '&' && (len = reference(html, j, tokenEnd, cp)) > 0) {
                kind = cp == 0 || cp == '&' || QChar::isLetterOrNumber(cp) || QChar::isMark(cp) || cp == 0xAD ? Taint
                       : isApostrophe(cp) || isHyphen(cp)                                        ? Joiner
                                                                                                 : Separator;
            } else {
                cp = decode(html, j, tokenEnd, len);
                kind = QChar::isLetter(cp) || QChar::isMark(cp)     ? Letter
                       : QChar::isNumber(cp) || cp == '_' || cp == '&' ? Taint
                       : isApostrophe(cp) || isHyphen(cp)           ? Joiner
                                                                    : Separator;
            }
            if (kind == Separator || (kind == Joiner && (start < 0 || !join.isNull()))) {
                finish();
                continue;
            }
            if (kind == Joiner) {
                join = isHyphen(cp) ? QChar('-') : QChar('\'');
                continue;
            }
            if (start < 0)
                start = j;
            if (!join.isNull())
                text += join;
            join = QChar();
            if (kind == Taint)
                clean = false;
            else
                text += QString::fromUcs4(&cp, 1);
            end = j + len;
        }
        finish();
    }
}

} // namespace spelling
