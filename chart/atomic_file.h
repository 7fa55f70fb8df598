// Replacing a file whole or not at all: the new contents go to a temporary file in the same
// folder, every write and the close are checked, the data is flushed to disk, and only then is the
// temporary renamed over the target. On any failure the temporary is removed and the old file
// stays as it was.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

// Calls writer with a stream open on a temporary file beside path; writer returns false to abandon
// the save. Returns true only if writer succeeded, every write, the flush and the close succeeded,
// and the rename took place. On false, error (if given) says why.
bool AtomicWriteFile(const std::string& path, const std::function<bool(std::FILE*)>& writer,
                     std::string* error = nullptr);

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

    bool Open(const std::string& path);
    bool Write(const void* data, size_t size);
    bool Write(const std::string& text) { return Write(text.data(), text.size()); }
    // The open stream, for code that writes with fprintf; check it with ok() or let Commit do it.
    std::FILE* stream() const { return file_; }
    bool ok() const { return file_ != nullptr && !failed_; }
    // Flushes, syncs, closes and renames over the target. Returns false on any failure.
    bool Commit();
    // Drops the temporary file; the target is untouched.
    void Abandon();
    const std::string& error() const { return error_; }

  private:
    void Fail(const std::string& what);

    std::string path_;
    std::string tempPath_;
    std::FILE* file_ = nullptr;
    bool failed_ = false;
    std::string error_;
};
