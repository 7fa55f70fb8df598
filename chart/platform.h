// What the chart code asks of the operating system, in one place: reading a file without waiting
// on it, taking a save to the disk, and reading numbers in the C locale. Written for POSIX; a port
// replaces platform.cpp.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace platform {

// A file open for reading.
struct ReadableFile {
    int handle = -1;
    long long size = 0;      // bytes, when it was opened
    bool notRegular = false; // refused: a device, FIFO or socket
};

// Opens a regular file for reading without ever waiting (a FIFO is refused at once) and tells the
// system that it will be read from front to back. False when it cannot be opened (errno tells
// why) or is no regular file (file->notRegular, or errno EISDIR for a folder).
bool OpenForReading(const std::string& path, ReadableFile* file);
// Reads at most size bytes, going on after a signal: the bytes read, 0 at the end of the file, -1
// on a read error (errno tells why).
long long ReadSome(int handle, void* out, size_t size);
void CloseFile(int handle);

// Takes what was written to the stream (flushed already) to the disk. False on failure (errno);
// a file that cannot be synchronised by nature (a pipe, some special file systems) counts as done.
bool SyncToDisk(std::FILE* stream);
// Takes the names in a folder (a file just renamed) to the disk, as far as the system can.
void SyncFolder(const std::string& folder);

// Asks the system to back [begin, begin + bytes) with memory now, in one call, rather than page by
// page as it is first written (each first write of a page is a trap, costly on virtual machines).
// A hint only: nothing happens where the system cannot.
void PrepareForWriting(void* begin, size_t bytes);

// strtod in the C locale whatever the program's locale is (a GUI may switch LC_NUMERIC).
double StrtodC(const char* text, char** end);

} // namespace platform
