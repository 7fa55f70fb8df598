// Replacing a file whole or not at all: the new contents go to a temporary file in the target's
// folder, every write and the close are checked, the data is flushed to disk, and only then does
// the temporary take the target's name. On any failure the temporary is removed and the old file
// stays as it was.
//
// What a save does with the name it is given:
// - A symbolic link is followed (through every link of a chain): the file it points to is
//   replaced, beside itself, and the link stays a link.
// - A name that exists and is not a regular file (a folder, device, FIFO or socket) is refused.
// - A file the user may not write is refused with the system's reason ("Permission denied"), also
//   where the folder would let a new file take its name.
// - The replaced file's permissions, owner and group are kept; where the system does not let us
//   keep the owner or the group, the report says so.
// - A file with other hard links is replaced under this name only; the report says that the other
//   names keep the old contents.
// - The temporary has no name while it is written where the file system offers that (O_TMPFILE),
//   so a killed save leaves nothing behind; elsewhere it is "name.tmpPID_N". Named temporaries of
//   processes that no longer run are removed at the next save beside them, and a program that
//   calls RemoveTemporariesOnSignals removes its own when it is interrupted or terminated.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

// What a save reports besides its result.
struct SaveReport {
    std::string error;        // why the save failed: the system's reason, or what was refused
    bool linksParted = false; // the file had other hard links; they keep the old contents
    bool ownerLost = false;   // the file could not be given its old owner
    bool groupLost = false;   // the file could not be given its old group
    // The last three in one sentence, or empty when all is kept.
    std::string Notice() const;
};

// Calls writer with a stream open on a temporary file beside path; writer returns false to abandon
// the save. Returns true only if writer succeeded, every write, the flush and the close succeeded,
// and the temporary took the target's name. On false, error (if given) says why.
bool AtomicWriteFile(const std::string& path, const std::function<bool(std::FILE*)>& writer,
                     std::string* error = nullptr);
bool AtomicWriteFile(const std::string& path, const std::function<bool(std::FILE*)>& writer,
                     SaveReport* report);

// The same, for callers that build their output piece by piece.
//   AtomicFile f; if (!f.Open(path)) ...; f.Write(data, n); ...; if (!f.Commit()) ...
// A file not committed is removed when the object goes away. Write failures are remembered and
// make Commit fail.
class AtomicFile {
  public:
    AtomicFile() = default;
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Checks the target and creates the temporary; false (with error()) when the target may not
    // or cannot be replaced.
    bool Open(const std::string& path);
    bool Write(const void* data, size_t size);
    bool Write(const std::string& text) { return Write(text.data(), text.size()); }
    // The open stream, for code that writes with fprintf; check it with ok() or let Commit do it.
    std::FILE* stream() const { return file_; }
    bool ok() const { return file_ != nullptr && !failed_; }
    // Flushes, syncs, closes and puts the file in the target's place. False on any failure.
    bool Commit();
    // Drops the temporary file; the target is untouched.
    void Abandon();
    const std::string& error() const { return report_.error; }
    const SaveReport& report() const { return report_; }

  private:
    void Fail(int error);
    void Fail(const std::string& what);
    bool LinkUnnamed(const std::string& name);

    std::string target_;   // the file to replace (links followed)
    std::string tempPath_; // the named temporary, or empty
    std::FILE* file_ = nullptr;
    bool unnamed_ = false; // the temporary has no name yet (O_TMPFILE)
    bool failed_ = false;
    SaveReport report_;
};

// Removes the named temporaries of saves under way when the process gets SIGINT, SIGTERM or
// SIGHUP, then ends the process as the signal would have. For programs without an event loop of
// their own (the command-line tool).
void RemoveTemporariesOnSignals();
