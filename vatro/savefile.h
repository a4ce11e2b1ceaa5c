#pragma once
// Giving a file new content without changing what the file is: its owner,
// group and mode, its other hard links, and a symbolic link that names it.
// The editor saves its documents this way, and the component writes INI
// files and the class registry this way. Plain C++ and POSIX; paths are
// the system's bytes.

#include <optional>
#include <string>
#include <string_view>

namespace vatro {

// How a save failed, and where the old content is.
struct SaveFailure {
    enum Kind {
        NotMade,    // a new file was not made (nothing was there to keep)
        Unchanged,  // the file holds its old content
        NoBackup,   // refused before writing: no copy of the old content could be kept
        BackupKept, // the file holds neither content; `backup` holds the old one
    };
    Kind kind = Unchanged;
    int error = 0; // the errno of the failure
    std::string backup;
};

// Gives the file `path` the content `data`, made durable with fsync.
//
// A symbolic link at `path` stays a link: the file it names gets the
// content (a link to nothing is refused). A new file is written under a
// temporary name and put in place only where no file appeared meanwhile;
// with `createOnly` an existing file is refused too. An existing file must
// be a regular file the caller may write and that has some write
// permission. Where a new file renamed over the old one keeps it as it was
// (one link, owner and group settable, the folder writable), that is how;
// otherwise the file is overwritten in place after its old content was
// copied to a backup beside it, or in the state folder when its folder
// takes no new file. A failed write in place puts the old content back;
// the backup stays only when even that failed. A link or another file put
// at `path` while this runs is never written through or over.
//
// Temporary and backup names (".<name>.velmora-XXXXXX",
// ".<name>.velmora-backup-XXXXXX") are cut to fit the longest name the
// folder's file system allows.
std::optional<SaveFailure> saveFile(const std::string &path, std::string_view data,
                                    bool createOnly = false);

// The per-user state folder of the program: $XDG_STATE_HOME/velmora when
// that is absolute, else <home>/.local/state/velmora. Not made here.
std::string stateFolderPath();
// The state folder, made with its parents (mode 0700) when missing, and
// only when it is a real folder (no link) of this user's that nobody else
// may enter; empty (errno set) otherwise.
std::string privateStateFolder();

// An exclusive flock on "<file>.lock" beside `file`, held while this
// lives, so that those who read, change and write back that file do so one
// at a time. With `tidy`, a lock file this lock had to make is removed
// again (a file of the user's should not gain a neighbour); each holder
// checks after locking that the name still names the file it locked.
class FileLock {
public:
    explicit FileLock(const std::string &file, bool tidy = false);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;
    explicit operator bool() const { return fd_ >= 0; }

private:
    std::string path_;
    int fd_ = -1;
    bool remove_ = false;
};

} // namespace vatro
