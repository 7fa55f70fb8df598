// A small INI file reader and writer with private-profile semantics: sections in brackets,
// key=value lines, section and key names compared without regard to letter case. A missing key or
// section is told apart from a key present with an empty value. Writing a key replaces its value
// in place or appends it to its section (the section is created at the end of the file); every
// other line, comments included, is kept as it was.
#pragma once

#include <optional>
#include <string>
#include <vector>

class IniFile {
  public:
    // Reads path. Returns false when the file does not exist or cannot be read; the object is
    // then empty.
    bool Load(const std::string& path);
    // Takes the text of a file (lines ending with LF or CR LF).
    void Parse(const std::string& text);

    // The value of key in section, blanks and matching quotes around it removed; nothing when the
    // section or the key is missing. The first matching section and key win.
    std::optional<std::string> Get(const std::string& section, const std::string& key) const;
    // Sets key in section to value.
    void Set(const std::string& section, const std::string& key, const std::string& value);

    // The whole file, each line ending with CR LF.
    std::string Text() const;
    // Writes the file through a temporary file and a rename. Returns false on any failure;
    // error (if given) says why.
    bool Save(const std::string& path, std::string* error = nullptr) const;

    const std::vector<std::string>& lines() const { return lines_; }

  private:
    // Index of the section header line, or -1.
    int FindSection(const std::string& section) const;
    // Index of the key's line within the section starting after header line start, or -1; end
    // receives the index one past the section's last line.
    int FindKey(int start, const std::string& key, int* end) const;

    std::vector<std::string> lines_;
};

// Whether path names an existing regular file.
bool IniFileExists(const std::string& path);
