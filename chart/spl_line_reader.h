// Reads a text file in big blocks and hands it out as the lines a C program reading it in text
// mode with fgets(buf, 1024, f) would see: pieces of at most 1023 characters, a CR LF line end
// given as "\n", a longer line split into pieces with its remainder taken as the next line.
#pragma once

#include <memory>
#include <string>
#include <string_view>

class SplLineReader {
  public:
    static constexpr size_t PIECE_MAX = 1023;

    SplLineReader() = default;
    ~SplLineReader();
    SplLineReader(const SplLineReader&) = delete;
    SplLineReader& operator=(const SplLineReader&) = delete;

    // Opens a regular file for reading, never waiting (a FIFO is refused at once). False when it
    // cannot be opened (errno tells why) or is no regular file (notRegular(), or errno EISDIR for
    // a folder).
    bool Open(const std::string& path);
    bool notRegular() const { return notRegular_; }
    // The next piece; it ends with '\n' when its line ended within it. False at the end of the
    // file or on a read error (failed() tells which). The view stays valid until the next call.
    bool Next(std::string_view& piece);
    bool failed() const { return failed_; }
    // Bytes of the file handed out so far, and the file's size (0 when unknown).
    long long consumed() const { return readTotal_ - static_cast<long long>(end_ - pos_); }
    long long fileSize() const { return fileSize_; }

    // For a reader that goes on by itself from here: the bytes read but not handed out yet, and
    // then the file's further bytes straight from it. ReadRaw returns the bytes read, 0 at the end
    // of the file, -1 on a read error.
    std::string_view Buffered() const { return {buf_.get() + pos_, end_ - pos_}; }
    bool AtEnd() const { return eof_; }
    long long ReadRaw(char* out, size_t size);

  private:
    bool Fill();

    int fd_ = -1;
    std::unique_ptr<char[]> buf_;
    size_t capacity_ = 0;
    size_t pos_ = 0;
    size_t end_ = 0;
    long long readTotal_ = 0;
    long long fileSize_ = 0;
    bool eof_ = false;
    bool failed_ = false;
    bool notRegular_ = false;
};
