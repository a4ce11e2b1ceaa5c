#include "core/reader_text.h"

#include <QChar>
#include <cstring>

namespace spelling {

namespace {

// A piece of text is handed out once it is this long, at the next white space.
constexpr qsizetype kPiece = 4096;

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

// Elements that never have content, and those that a start tag of the
// same name closes when one is open.
bool isVoid(const QByteArray &name)
{
    static const char *const names[] = {"area", "base", "br",    "col",   "embed",  "hr",    "img",
                                        "input", "link", "meta", "param", "source", "track", "wbr"};
    for (const char *n : names)
        if (name == n)
            return true;
    return false;
}

bool closesItsLike(const QByteArray &name)
{
    for (const char *n : {"p", "li", "dt", "dd", "option", "tr", "td", "th"})
        if (name == n)
            return true;
    return false;
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

ReaderTextScanner::ReaderTextScanner(QByteArrayView html, qsizetype from, LangStack stack)
    : html_(html), pos_(from), stack_(std::move(stack))
{
}

QByteArray ReaderTextScanner::lang() const
{
    return stack_.empty() ? QByteArray() : stack_.back().lang;
}

bool ReaderTextScanner::next(TextRun &run)
{
    const qsizetype n = html_.size();
    while (pending_.empty()) {
        if (pos_ >= n)
            return false;
        auto markupAt = [this, n](qsizetype i) {
            if (i + 1 >= n)
                return false;
            const char c = html_[i + 1];
            return isAsciiLetter(c) || c == '!' || c == '?' || (c == '/' && i + 2 < n && isAsciiLetter(html_[i + 2]));
        };
        if (html_[pos_] == '<' && markupAt(pos_)) {
            markup();
            continue;
        }
        qsizetype end = pos_ + 1;
        for (;;) {
            const void *lt = std::memchr(html_.data() + end, '<', size_t(n - end));
            end = lt ? static_cast<const char *>(lt) - html_.data() : n;
            if (end >= n || markupAt(end))
                break;
            ++end;
        }
        for (qsizetype i = pos_ + kPiece; i < end; ++i) {
            if (isBlank(html_[i])) {
                end = i;
                break;
            }
        }
        run = TextRun{pos_, end, lang()};
        pos_ = end;
        return true;
    }
    run = pending_.front();
    pending_.pop_front();
    return true;
}

void ReaderTextScanner::skipPast(qsizetype from, QByteArrayView end)
{
    const qsizetype at = html_.indexOf(end, qMin(from, html_.size()));
    pos_ = at < 0 ? html_.size() : at + end.size();
}

void ReaderTextScanner::markup()
{
    const qsizetype lt = pos_;
    const char c = html_[lt + 1];
    if (c == '!' && html_.sliced(lt).startsWith("<!--"))
        skipPast(lt + 4, "-->");
    else if (c == '!' && html_.sliced(lt).startsWith("<![CDATA["))
        skipPast(lt + 9, "]]>");
    else if (c == '!' || c == '?')
        skipPast(lt + 2, ">");
    else
        tag(lt);
}

void ReaderTextScanner::tag(qsizetype lt)
{
    const qsizetype n = html_.size();
    qsizetype i = lt + 1;
    const bool closing = html_[i] == '/';
    if (closing)
        ++i;
    const qsizetype nameStart = i;
    while (i < n && !isBlank(html_[i]) && html_[i] != '/' && html_[i] != '>')
        ++i;
    const QByteArray name = html_.sliced(nameStart, i - nameStart).toByteArray().toLower();

    std::vector<TextRun> visible; // alt, title and placeholder values
    QByteArray ownLang;
    bool hasLang = false, selfClosing = false;
    while (i < n) {
        while (i < n && (isBlank(html_[i]) || html_[i] == '/')) {
            selfClosing = html_[i] == '/';
            ++i;
        }
        if (i >= n)
            break;
        if (html_[i] == '>') {
            ++i;
            break;
        }
        selfClosing = false;
        const qsizetype attrStart = i;
        ++i; // a name may begin with '='
        while (i < n && !isBlank(html_[i]) && html_[i] != '=' && html_[i] != '>' && html_[i] != '/')
            ++i;
        const QByteArray attr = html_.sliced(attrStart, i - attrStart).toByteArray().toLower();
        while (i < n && isBlank(html_[i]))
            ++i;
        if (i >= n || html_[i] != '=')
            continue;
        ++i;
        while (i < n && isBlank(html_[i]))
            ++i;
        qsizetype valueStart = i, valueEnd = i;
        if (i < n && (html_[i] == '"' || html_[i] == '\'')) {
            const qsizetype close = html_.indexOf(html_[i], i + 1);
            valueStart = i + 1;
            valueEnd = close < 0 ? n : close;
            i = close < 0 ? n : close + 1;
        } else {
            while (i < n && !isBlank(html_[i]) && html_[i] != '>')
                ++i;
            valueEnd = i;
        }
        if (attr == "lang" || attr == "xml:lang") {
            hasLang = true;
            ownLang = normalLang(html_.sliced(valueStart, valueEnd - valueStart));
        } else if (!closing && (attr == "alt" || attr == "title" || attr == "placeholder")) {
            visible.push_back(TextRun{valueStart, valueEnd, {}});
        }
    }
    pos_ = i;

    if (closing) {
        for (auto f = stack_.rbegin(); f != stack_.rend(); ++f) {
            if (f->tag != name)
                continue;
            if (f->depth > 0)
                --f->depth;
            else
                stack_.erase(std::next(f).base(), stack_.end());
            break;
        }
        return;
    }
    if (!stack_.empty() && stack_.back().tag == name && stack_.back().depth == 0 && closesItsLike(name))
        stack_.pop_back();
    const QByteArray here = hasLang ? ownLang : lang();
    for (TextRun &run : visible) {
        run.lang = here;
        pending_.push_back(run);
    }
    const bool raw = name == "script" || name == "style";
    if (raw || name == "title" || name == "textarea") {
        // Their content holds no tags: up to their end tag, skipped or text.
        qsizetype end = pos_;
        for (;; ++end) {
            end = html_.indexOf("</", end);
            if (end < 0) {
                end = n;
                break;
            }
            const qsizetype after = end + 2 + name.size();
            if (startsWithNoCase(html_, end + 2, name)
                && (after >= n || isBlank(html_[after]) || html_[after] == '>' || html_[after] == '/'))
                break;
        }
        if (!raw && end > pos_)
            pending_.push_back(TextRun{pos_, end, here});
        pos_ = end;
        return;
    }
    if (isVoid(name) || selfClosing)
        return;
    if (hasLang) {
        stack_.push_back(LangFrame{name, ownLang, 0});
        return;
    }
    for (auto f = stack_.rbegin(); f != stack_.rend(); ++f) {
        if (f->tag == name) {
            ++f->depth;
            break;
        }
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
            if (start >= 0 && clean)
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
