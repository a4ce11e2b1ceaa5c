#pragma once
// INI text as the class registry and RemoveINIKey use it: sections of raw
// lines, every byte kept as read unless a section or key is changed, and
// files replaced keeping their owner, permissions and links.

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
    // and start a section of its own.
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
// Gives the file at `path` (a file, not a link to one) the content `data`.
// `old` is its present content, nullopt for a file that does not exist
// yet. Where a new file renamed over the old one keeps the file as it was
// (one link, owner and group settable, the folder writable), that is how;
// otherwise the file is overwritten in place after its old content was
// copied to a backup beside it or in stateFolder(), so that a failed
// write can be undone. False when the file keeps its old content (or,
// should even that fail, a backup of it is left).
bool replaceFile(const std::string &path, const std::optional<std::string> &old, const std::string &data);

// The per-user state folder of the program ($XDG_STATE_HOME/velmora, by
// default ~/.local/state/velmora), made with mode 0700 if missing; empty
// when it cannot be had or is not this user's own private folder.
std::string stateFolder();

} // namespace vatro
