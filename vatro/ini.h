#pragma once
// INI text as the class registry and RemoveINIKey use it: sections of raw
// lines, every byte kept as read unless a section or key is changed. The
// files are written back by saveFile (vatro/savefile.h).

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vatro {

class IniText {
public:
    explicit IniText(const std::string &text = {});

    // The value of `key` in the first section called `section` (both
    // compared without regard to ASCII case), trimmed of blanks.
    std::optional<std::string> value(const std::string &section, const std::string &key) const;
    // Replaces the first section called `section` (or appends a new one)
    // with exactly these entries. Refuses (false, nothing changed) a name,
    // key or value holding a control character, which could end its line
    // and start a section of its own, or beginning or ending with a blank,
    // which value() would not give back.
    bool setSection(const std::string &section,
                    const std::vector<std::pair<std::string, std::string>> &entries);
    // Removes every section called `section`; false when there was none.
    bool removeSection(const std::string &section);
    // Removes the first line that sets `key` in the first section called
    // `section`; false when there was none.
    bool removeKey(const std::string &section, const std::string &key);

    std::string text() const;

private:
    struct Section {
        std::string name;          // empty for the lines before the first header
        std::vector<std::string> lines; // each with its own line ending, header first
        bool hasHeader = false;
    };
    Section *find(const std::string &section);
    const Section *find(const std::string &section) const;
    std::vector<Section> sections_;
};

// Reads a whole file; nullopt when it cannot be read.
std::optional<std::string> readFile(const std::string &path);
// The lines of a file without their "\n"; none when it cannot be read.
std::vector<std::string> readLines(const std::string &path);

} // namespace vatro
