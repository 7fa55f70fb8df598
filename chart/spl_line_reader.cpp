#include "chart/spl_line_reader.h"

#include "chart/platform.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr size_t BLOCK_SIZE = 1 << 20;
} // namespace

SplLineReader::~SplLineReader() {
    platform::CloseFile(fd_);
}

bool SplLineReader::Open(const std::string& path) {
    platform::ReadableFile file;
    if (!platform::OpenForReading(path, &file)) {
        notRegular_ = file.notRegular;
        return false;
    }
    fd_ = file.handle;
    fileSize_ = file.size;
    // A small file needs no full block (its size plus room for the look-ahead of Next).
    capacity_ = BLOCK_SIZE;
    if (fileSize_ > 0 && static_cast<unsigned long long>(fileSize_) < BLOCK_SIZE - 4096)
        capacity_ = static_cast<size_t>(fileSize_) + 4096;
    buf_.reset(new char[capacity_]);
    return true;
}

bool SplLineReader::Fill() {
    // Keep the unread tail (shorter than two pieces) at the front and read behind it.
    if (pos_ > 0) {
        std::memmove(buf_.get(), buf_.get() + pos_, end_ - pos_);
        end_ -= pos_;
        pos_ = 0;
    }
    const long long n = platform::ReadSome(fd_, buf_.get() + end_, capacity_ - end_);
    if (n < 0) {
        failed_ = true;
        return false;
    }
    if (n == 0) eof_ = true;
    end_ += static_cast<size_t>(n);
    readTotal_ += n;
    return true;
}

bool SplLineReader::Next(std::string_view& piece) {
    if (fd_ < 0 || failed_) return false;
    for (;;) {
        char* p = buf_.get() + pos_;
        size_t avail = end_ - pos_;
        // A piece holds at most 1023 characters of the line plus its end; look one byte further
        // so that a CR LF straddling that limit is still seen as one line end.
        size_t window = std::min(avail, PIECE_MAX + 2);
        auto* nl = static_cast<char*>(std::memchr(p, '\n', window));
        if (nl) {
            size_t k = static_cast<size_t>(nl - p);
            size_t length = (k > 0 && p[k - 1] == '\r') ? k - 1 : k;
            if (length + 1 <= PIECE_MAX) {
                p[length] = '\n';
                piece = std::string_view(p, length + 1);
                pos_ += k + 1;
                return true;
            }
            piece = std::string_view(p, PIECE_MAX);
            pos_ += PIECE_MAX;
            return true;
        }
        if (window == PIECE_MAX + 2) { // the line is longer than a piece
            piece = std::string_view(p, PIECE_MAX);
            pos_ += PIECE_MAX;
            return true;
        }
        if (eof_) {
            if (avail == 0) return false;
            size_t n = std::min(avail, PIECE_MAX); // last line without its end
            piece = std::string_view(p, n);
            pos_ += n;
            return true;
        }
        if (!Fill()) return false;
    }
}

long long SplLineReader::ReadRaw(char* out, size_t size) {
    if (fd_ < 0 || failed_) return -1;
    if (eof_) return 0;
    const long long n = platform::ReadSome(fd_, out, size);
    if (n < 0) {
        failed_ = true;
        return -1;
    }
    if (n == 0) eof_ = true;
    readTotal_ += n;
    return n;
}
