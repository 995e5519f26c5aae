#include "scores/IniFile.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

namespace {

const char kBlank[] = " \t\n\r";
constexpr int kMaxLinkHops = 40;  // as many as the kernel follows

// Owns one POSIX file descriptor.
class FileHandle {
public:
  explicit FileHandle(int fd) : fd_(fd) {}
  ~FileHandle() {
    if (fd_ >= 0) close(fd_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  int Get() const { return fd_; }
  bool IsOpen() const { return fd_ >= 0; }
  // Closes now and reports whether the close succeeded (it can report a
  // delayed write error).
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return close(fd) == 0;
  }

private:
  int fd_;
};

bool IsRegularFile(int fd) {
  struct stat info {};
  return fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

// Opens without blocking (a pipe of that name would otherwise hang the game)
// and only accepts a regular file.
// Returns the descriptor, or -1.
int OpenForReading(const std::string& fileName) {
  const int fd = open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd >= 0 && !IsRegularFile(fd)) {
    close(fd);
    return -1;
  }
  return fd;
}

// Reads at most CIniFile::kMaxFileBytes bytes of the file.
bool ReadCapped(const std::string& fileName, std::string& text) {
  const FileHandle handle(OpenForReading(fileName));
  if (!handle.IsOpen()) return false;
  text.clear();
  char buffer[8192];
  while (text.size() < CIniFile::kMaxFileBytes) {
    const size_t wanted = std::min(sizeof buffer, CIniFile::kMaxFileBytes - text.size());
    const ssize_t got = read(handle.Get(), buffer, wanted);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) break;
    text.append(buffer, static_cast<size_t>(got));
  }
  return true;
}

bool WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t wrote = write(fd, text.data() + done, text.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return false;
    done += static_cast<size_t>(wrote);
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// A symbolic link named like the file is written through, as an in-place
// rewrite would, instead of being replaced by a plain file; a link to a file
// that is not there yet leads to where that file is to be created.
std::string ResolveLink(const std::string& fileName) {
  std::string path = fileName;
  for (int hops = 0; hops < kMaxLinkHops; ++hops) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    char target[PATH_MAX];
    const ssize_t length = readlink(path.c_str(), target, sizeof target - 1);
    if (length <= 0) return path;
    const std::string next(target, static_cast<size_t>(length));
    path = next[0] == '/' ? next : FolderOf(path) + '/' + next;
  }
  return path;  // a loop of links: opening it fails
}

// Makes the rename itself durable. Failure only weakens that guarantee.
void SyncFolder(const std::string& path) {
  FileHandle folder(open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.IsOpen()) fsync(folder.Get());
}

// An existing file must stay writable by us for a save to succeed, exactly
// as if it were rewritten in place; a missing one may be created.
bool MayReplace(const std::string& target, struct stat& info, bool& exists) {
  exists = stat(target.c_str(), &info) == 0;
  if (!exists) return errno == ENOENT;
  if (!S_ISREG(info.st_mode)) return false;
  FileHandle probe(open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
  return probe.IsOpen();
}

// Rewrites an existing file in place: for a folder where no temporary file
// may be created. A crash part way can leave it cut short.
bool RewriteInPlace(const std::string& target, const std::string& text) {
  FileHandle handle(open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
  if (!handle.IsOpen() || !IsRegularFile(handle.Get())) return false;
  const bool written = WriteAll(handle.Get(), text) &&
                       ftruncate(handle.Get(), static_cast<off_t>(text.size())) == 0 &&
                       fsync(handle.Get()) == 0;
  return handle.Close() && written;
}

// Writes the text to a temporary file beside the target, syncs it and
// renames it over the target, so that a crash leaves the old file or the new
// one. The temporary name carries the process id so that two game processes
// never write into each other's temporary file.
bool ReplaceContents(const std::string& fileName, const std::string& text) {
  const std::string target = ResolveLink(fileName);
  struct stat info {};
  bool exists = false;
  if (!MayReplace(target, info, exists)) return false;

  const std::string temp = target + ".tmp" + std::to_string(getpid());
  unlink(temp.c_str());  // a leftover of an earlier crash of a process with our id
  FileHandle handle(
      open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
  if (!handle.IsOpen()) return exists && RewriteInPlace(target, text);
  if (exists) fchmod(handle.Get(), info.st_mode & 07777);
  bool written = WriteAll(handle.Get(), text) && fsync(handle.Get()) == 0;
  written = handle.Close() && written;
  if (!written || rename(temp.c_str(), target.c_str()) != 0) {
    unlink(temp.c_str());
    return false;
  }
  SyncFolder(target);
  return true;
}

struct ParseState {
  std::string pendingComments;
  std::string section;
};

std::string TakeComments(ParseState& state) {
  std::string comments;
  std::swap(comments, state.pendingComments);
  return comments;
}

// One line of the file, already split at its line feed.
void ParseLine(const std::string& raw, ParseState& state, IniRecords& records) {
  std::string line = CIniFile::Trim(raw, kBlank, TrimSide::Both);
  if (line.empty()) return;
  IniRecord record;
  if (line[0] == '#' || line[0] == ';') {
    if (line.find_first_of("[=") == std::string::npos) {
      state.pendingComments += line + '\n';
      return;
    }
    record.commentChar = line[0];
    line = CIniFile::Trim(line.substr(1), kBlank, TrimSide::Both);
  }
  if (line.find('[') != std::string::npos) {
    // Without a "]" the rest of the line is the name.
    line = line.substr(1);
    line = line.substr(0, line.find(']'));
    record.comments = TakeComments(state);
    record.section = line;
    state.section = line;
  }
  const size_t equals = line.find('=');
  if (equals != std::string::npos) {
    record.comments += TakeComments(state);
    record.section = state.section;
    record.key = line.substr(0, equals);
    record.value = line.substr(equals + 1);
  }
  // A record without a key is written back as a section line, so it must
  // name the section it stands in: an empty name would move every key below
  // it into the "" section at the next load. A line that is neither comment,
  // section nor key becomes such a record, unless comments are pending (then
  // it is dropped and they wait); the value of a line with nothing before its
  // "=" cannot be written back and is dropped.
  if (record.key.empty()) {
    record.section = state.section;
    record.value.clear();
  }
  if (state.pendingComments.empty()) records.push_back(record);
}

bool IsKeyRecordOf(const IniRecord& record, const std::string& key,
                   const std::string& section) {
  return !record.IsSection() && record.section == section && record.key == key;
}

}  // namespace

bool IniRecord::operator==(const IniRecord& other) const {
  return comments == other.comments && commentChar == other.commentChar &&
         section == other.section && key == other.key && value == other.value;
}

std::string CIniFile::ReadValue(const std::string& key, const std::string& section,
                                const std::string& fileName) {
  IniRecords records;
  LoadRecords(records, fileName);
  const IniRecord* record = FindRecord(records, key, section);
  return record != nullptr ? record->value : std::string();
}

bool CIniFile::WriteValue(const std::string& key, const std::string& value,
                          const std::string& section, const std::string& fileName) {
  IniRecords records;
  if (!LoadRecords(records, fileName)) return false;
  SetValue(records, key, value, section);
  return SaveRecords(records, fileName);
}

bool CIniFile::FileExists(const std::string& fileName) {
  return FileHandle(OpenForReading(fileName)).IsOpen();
}

bool CIniFile::CreateEmpty(const std::string& fileName) {
  return SaveRecords(IniRecords(), fileName);
}

bool CIniFile::HasSection(const std::string& section, const std::string& fileName) {
  IniRecords records;
  LoadRecords(records, fileName);
  return HasSection(records, section);
}

bool CIniFile::HasRecord(const std::string& key, const std::string& section,
                         const std::string& fileName) {
  IniRecords records;
  LoadRecords(records, fileName);
  return FindRecord(records, key, section) != nullptr;
}

bool CIniFile::LoadRecords(IniRecords& records, const std::string& fileName) {
  records.clear();
  std::string text;
  if (!ReadCapped(fileName, text)) return false;
  records = ParseRecords(text);
  return true;
}

bool CIniFile::SaveRecords(const IniRecords& records, const std::string& fileName) {
  return ReplaceContents(fileName, FormatRecords(records));
}

IniRecords CIniFile::ParseRecords(const std::string& text) {
  IniRecords records;
  ParseState state;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    ParseLine(text.substr(start, end - start), state, records);
    start = end + 1;
  }
  return records;  // comments after the last record are dropped
}

std::string CIniFile::FormatRecords(const IniRecords& records) {
  std::string text;
  for (const IniRecord& record : records) {
    text += record.comments;
    text += record.commentChar;
    if (record.IsSection()) {
      text += '[' + record.section + ']';
    } else {
      text += record.key + '=' + record.value;
    }
    text += '\n';
  }
  return text;
}

const IniRecord* CIniFile::FindRecord(const IniRecords& records, const std::string& key,
                                      const std::string& section) {
  for (const IniRecord& record : records) {
    if (IsKeyRecordOf(record, key, section)) return &record;
  }
  return nullptr;
}

bool CIniFile::HasSection(const IniRecords& records, const std::string& section) {
  return std::any_of(records.begin(), records.end(),
                     [&](const IniRecord& record) { return record.section == section; });
}

// A missing section goes at the end; a missing key goes directly after the
// section's first record, so keys added one by one end up in reverse order.
void CIniFile::SetValue(IniRecords& records, const std::string& key, const std::string& value,
                        const std::string& section) {
  const auto first =
      std::find_if(records.begin(), records.end(),
                   [&](const IniRecord& record) { return record.section == section; });
  if (first == records.end()) {
    records.push_back(IniRecord{"", ' ', section, "", ""});
    records.push_back(IniRecord{"", ' ', section, key, value});
    return;
  }
  const auto match =
      std::find_if(records.begin(), records.end(),
                   [&](const IniRecord& record) { return IsKeyRecordOf(record, key, section); });
  if (match == records.end()) {
    records.insert(first + 1, IniRecord{"", ' ', section, key, value});
    return;
  }
  match->value = value;
}

std::string CIniFile::Trim(const std::string& text, const std::string& characters,
                           TrimSide side) {
  size_t begin = 0;
  size_t end = text.size();
  if (side != TrimSide::End) {
    begin = text.find_first_not_of(characters);
    if (begin == std::string::npos) return std::string();
  }
  if (side != TrimSide::Start) {
    const size_t last = text.find_last_not_of(characters);
    if (last == std::string::npos) return std::string();
    end = last + 1;
  }
  return text.substr(begin, end - begin);
}
