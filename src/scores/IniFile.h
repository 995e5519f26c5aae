#pragma once
#include <cstddef>
#include <string>
#include <vector>

// One meaningful line of the settings file, in file order.
struct IniRecord {
  // The comment lines that stood directly above this line, each followed by a
  // line feed, exactly as read (trimmed, comment character included).
  std::string comments;
  // A space for an ordinary line, or '#' / ';' when the line is commented out.
  char commentChar = ' ';
  // For a section line its name; for a key line the section it stands in
  // ("" above the first section line).
  std::string section;
  // "" for a section line. Keys and values are never trimmed.
  std::string key;
  std::string value;

  bool IsSection() const { return key.empty(); }
  bool operator==(const IniRecord& other) const;
};

using IniRecords = std::vector<IniRecord>;

// Which ends Trim works on.
enum class TrimSide { Both = 0, Start = 1, End = 2 };

// Reads and writes the INI-style settings file. Holds no data: every call
// takes the file name last, rereads the whole file and, when it changes
// something, writes the whole file back. Nothing is cached between calls.
// Main thread only (two threads saving the same file would race on the
// read-modify-write, though neither would ever leave a torn file).
//
// Robustness rules, on top of the line format:
// - Reading accepts line feeds and carriage return + line feed.
// - Only the first kMaxFileBytes bytes are read; anything beyond reads as if
//   the file ended there, so a huge or binary file cannot exhaust memory.
//   (A real file of five tables is about two kilobytes.)
// - Only regular files are read or replaced; a folder, device or pipe of that
//   name reads as unreadable and makes writes fail.
// - Writing never touches the old file until the new contents are safely on
//   disk: they go to a temporary file in the same folder, which is flushed,
//   synced and then renamed over the old one. A crash or power loss at any
//   moment leaves either the old file or the new one, never a mix. A file
//   that cannot be opened for writing still makes the write fail.
class CIniFile {
public:
  static constexpr size_t kMaxFileBytes = 256 * 1024;

  // The value of the first key record with this section and key, commented
  // out or not; "" when there is none or the file cannot be read.
  static std::string ReadValue(const std::string& key, const std::string& section,
                               const std::string& fileName);
  // Sets the value of a key, adding the key (directly after the section's
  // first record) or the section (at the end) when missing. A missing or
  // unreadable file is not created: returns false and writes nothing.
  static bool WriteValue(const std::string& key, const std::string& value,
                         const std::string& section, const std::string& fileName);

  // True when the file can be opened for reading.
  static bool FileExists(const std::string& fileName);
  // Writes an empty file, replacing any existing one.
  static bool CreateEmpty(const std::string& fileName);
  static bool HasSection(const std::string& section, const std::string& fileName);
  static bool HasRecord(const std::string& key, const std::string& section,
                        const std::string& fileName);

  // Reads the whole file. On failure returns false and leaves records empty.
  static bool LoadRecords(IniRecords& records, const std::string& fileName);
  // Replaces the file with these records (see the atomic rule above).
  static bool SaveRecords(const IniRecords& records, const std::string& fileName);

  // The same operations on a list already in memory, so a caller can make
  // several changes and save them as one atomic write.
  static IniRecords ParseRecords(const std::string& text);
  static std::string FormatRecords(const IniRecords& records);
  static const IniRecord* FindRecord(const IniRecords& records, const std::string& key,
                                     const std::string& section);
  static bool HasSection(const IniRecords& records, const std::string& section);
  static void SetValue(IniRecords& records, const std::string& key, const std::string& value,
                       const std::string& section);

  // Removes the given characters from the chosen ends; a text made only of
  // them becomes "".
  static std::string Trim(const std::string& text, const std::string& characters,
                          TrimSide side);
};
