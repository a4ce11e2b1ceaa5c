#include "vatro/ini.h"

#include "vatro/text.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vatro {

namespace {

std::string trim(const std::string &s)
{
    const char *blanks = " \t\r\n";
    const auto b = s.find_first_not_of(blanks);
    if (b == std::string::npos)
        return {};
    const auto e = s.find_last_not_of(blanks);
    return s.substr(b, e - b + 1);
}

// The section name of a header line "[name]", or nullopt for other lines.
std::optional<std::string> headerName(const std::string &line)
{
    const std::string t = trim(line);
    if (t.size() < 2 || t.front() != '[')
        return std::nullopt;
    const auto close = t.find(']');
    if (close == std::string::npos)
        return std::nullopt;
    return trim(t.substr(1, close - 1));
}

// The key a line sets ("key=value", or a bare "key"); nullopt for blank
// lines and comments.
std::optional<std::string> keyOf(const std::string &line)
{
    const std::string t = trim(line);
    if (t.empty() || t[0] == ';' || t[0] == '#')
        return std::nullopt;
    const auto eq = t.find('=');
    return trim(eq == std::string::npos ? t : t.substr(0, eq));
}

} // namespace

IniText::IniText(const std::string &text)
{
    sections_.push_back(Section{});
    std::size_t pos = 0;
    while (pos < text.size()) {
        auto nl = text.find('\n', pos);
        const std::size_t end = nl == std::string::npos ? text.size() : nl + 1;
        std::string line = text.substr(pos, end - pos);
        pos = end;
        if (auto name = headerName(line)) {
            sections_.push_back(Section{*name, {}, true});
        }
        sections_.back().lines.push_back(std::move(line));
    }
}

IniText::Section *IniText::find(const std::string &section)
{
    for (auto &s : sections_)
        if (s.hasHeader && equalsNoCase(s.name, section))
            return &s;
    return nullptr;
}

const IniText::Section *IniText::find(const std::string &section) const
{
    return const_cast<IniText *>(this)->find(section);
}

std::optional<std::string> IniText::value(const std::string &section, const std::string &key) const
{
    const Section *s = find(section);
    if (!s)
        return std::nullopt;
    for (std::size_t i = 1; i < s->lines.size(); ++i) {
        const std::string &line = s->lines[i];
        const auto k = keyOf(line);
        if (k && equalsNoCase(*k, key)) {
            const auto eq = line.find('=');
            return eq == std::string::npos ? std::string() : trim(line.substr(eq + 1));
        }
    }
    return std::nullopt;
}

bool IniText::setSection(const std::string &section,
                         const std::vector<std::pair<std::string, std::string>> &entries)
{
    // What reads back as written: no control character, and no blank at
    // either end, which reading trims.
    auto plain = [](const std::string &s) {
        for (const unsigned char c : s)
            if (c < 0x20 || c == 0x7F)
                return false;
        return s.empty() || (s.front() != ' ' && s.back() != ' ');
    };
    if (!plain(section))
        return false;
    for (const auto &[k, v] : entries)
        if (!plain(k) || !plain(v))
            return false;
    Section fresh{section, {"[" + section + "]\n"}, true};
    for (const auto &[k, v] : entries)
        fresh.lines.push_back(k + "=" + v + "\n");
    if (Section *s = find(section)) {
        *s = std::move(fresh);
        return true;
    }
    // Keep the file well formed when its last line has no line ending.
    Section &last = sections_.back();
    if (!last.lines.empty() && last.lines.back().back() != '\n')
        last.lines.back() += '\n';
    sections_.push_back(std::move(fresh));
    return true;
}

bool IniText::removeSection(const std::string &section)
{
    bool removed = false;
    for (auto it = sections_.begin(); it != sections_.end();) {
        if (it->hasHeader && equalsNoCase(it->name, section)) {
            it = sections_.erase(it);
            removed = true;
        } else {
            ++it;
        }
    }
    return removed;
}

bool IniText::removeKey(const std::string &section, const std::string &key)
{
    Section *s = find(section);
    if (!s)
        return false;
    for (std::size_t i = 1; i < s->lines.size(); ++i) {
        const auto k = keyOf(s->lines[i]);
        if (k && equalsNoCase(*k, key)) {
            s->lines.erase(s->lines.begin() + std::ptrdiff_t(i));
            return true;
        }
    }
    return false;
}

std::string IniText::text() const
{
    std::string out;
    for (const auto &s : sections_)
        for (const auto &line : s.lines)
            out += line;
    return out;
}

std::optional<std::string> readFile(const std::string &path)
{
    // Non-blocking, so that a FIFO in place of a file cannot stall the caller.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    std::string data;
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        data.append(buf, std::size_t(n));
    }
    ::close(fd);
    return data;
}

std::vector<std::string> readLines(const std::string &path)
{
    std::vector<std::string> out;
    const auto text = readFile(path);
    if (!text)
        return out;
    std::size_t pos = 0;
    while (pos < text->size()) {
        auto nl = text->find('\n', pos);
        if (nl == std::string::npos)
            nl = text->size();
        out.push_back(text->substr(pos, nl - pos));
        pos = nl + 1;
    }
    return out;
}

} // namespace vatro
