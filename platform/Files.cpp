// Files and folders. A path is the system's bytes and reaches the file
// system unchanged; only a player's name is converted, when it becomes part
// of a file name (one byte a character to UTF-8). Read-only data is looked up
// without regard to letter case, because the game asks for "Data/..." and
// "data/..." alike.
#include <dirent.h>
#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "FileTimes.h"
#include "Language.h"
#include "Platform.h"
#include "Utf8.h"

namespace plat {

namespace {

int OsType(const std::string& osPath) {
  struct stat st;
  if (stat(osPath.c_str(), &st) != 0) return FILETYPE_NONE;
  if (S_ISDIR(st.st_mode)) return FILETYPE_DIR;
  return FILETYPE_FILE;
}

// Latin, Greek and Cyrillic letters fold; other bytes compare as they are.
bool SameIgnoringCase(const std::string& osA, const std::string& osB) {
  return LowerUtf8(osA) == LowerUtf8(osB);
}

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (c == '/' || c == '\\') {
      parts.push_back(part);
      part.clear();
    } else {
      part.push_back(c);
    }
  }
  parts.push_back(part);
  return parts;
}

// Resolves path to an existing one, case-insensitively; returns an empty
// string when some component has no match.
std::string ResolveOs(const std::string& path) {
  if (OsType(path) != FILETYPE_NONE) return path;
  std::vector<std::string> parts = SplitPath(path);
  std::string current;
  size_t i = 0;
  if (!path.empty() && (path[0] == '/' || path[0] == '\\')) {
    current = "/";
    i = 1;
  }
  for (; i < parts.size(); ++i) {
    const std::string& part = parts[i];
    if (part.empty() || part == ".") continue;
    std::string base = current.empty() ? "." : current;
    std::string joined =
        (current.empty() || current == "/") ? current + part : current + "/" + part;
    if (part == ".." || OsType(joined) != FILETYPE_NONE) {
      current = joined;
      continue;
    }
    DIR* dir = opendir(base.c_str());
    if (!dir) return "";
    std::string match;
    while (dirent* entry = readdir(dir)) {
      if (SameIgnoringCase(entry->d_name, part)) {
        match = entry->d_name;
        break;
      }
    }
    closedir(dir);
    if (match.empty()) return "";
    current = (current.empty() || current == "/") ? current + match : current + "/" + match;
  }
  return current.empty() ? "." : current;
}

// The OS path for writing: an existing entry of any case, else the given
// name inside the resolved parent folder.
std::string WritableOs(const std::string& path) {
  std::string existing = ResolveOs(path);
  if (!existing.empty()) return existing;
  size_t slash = path.find_last_of("/\\");
  if (slash == std::string::npos) return path;
  std::string parent = ResolveOs(path.substr(0, slash == 0 ? 1 : slash));
  if (parent.empty()) return path;
  return (parent == "/" ? parent : parent + "/") + path.substr(slash + 1);
}

class TFileStream : public TStream {
 public:
  explicit TFileStream(FILE* f) : file_(f) {}
  ~TFileStream() override { TFileStream::Close(); }

  size_t Read(void* buf, size_t n) override { return file_ ? fread(buf, 1, n, file_) : 0; }
  size_t Write(const void* buf, size_t n) override {
    size_t done = file_ ? fwrite(buf, 1, n, file_) : 0;
    if (done < n) writeFailed_ = true;
    return done;
  }
  int64_t Pos() const override { return file_ ? int64_t(ftello(file_)) : 0; }
  bool Seek(int64_t pos) override { return file_ && fseeko(file_, off_t(pos), SEEK_SET) == 0; }
  int64_t Size() const override {
    if (!file_) return 0;
    fflush(file_);
    struct stat st;
    if (fstat(fileno(file_), &st) != 0) return 0;
    return int64_t(st.st_size);
  }
  bool Close() override {
    if (!file_) return !writeFailed_;
    if (fflush(file_) != 0) writeFailed_ = true;
    if (fclose(file_) != 0) writeFailed_ = true;
    file_ = nullptr;
    return !writeFailed_;
  }

 protected:
  FILE* file_;
};

// Writes into a temporary file beside the target; Close renames it over the
// target only when every byte reached the disk.
class TAtomicFileStream : public TFileStream {
 public:
  TAtomicFileStream(FILE* f, std::string tempPath, std::string target)
      : TFileStream(f), temp_(std::move(tempPath)), target_(std::move(target)) {}
  ~TAtomicFileStream() override {
    if (file_) {
      fclose(file_);
      file_ = nullptr;
      unlink(temp_.c_str());
    }
  }
  bool Close() override {
    if (!file_) return committed_;
    if (fflush(file_) != 0 || fsync(fileno(file_)) != 0) writeFailed_ = true;
    if (fclose(file_) != 0) writeFailed_ = true;
    file_ = nullptr;
    if (!writeFailed_ && rename(temp_.c_str(), target_.c_str()) == 0) {
      committed_ = true;
    } else {
      writeFailed_ = true;
      unlink(temp_.c_str());
    }
    return committed_;
  }

 private:
  std::string temp_;
  std::string target_;
  bool committed_ = false;
};

std::mutex factoryMutex;
TStreamFactory streamFactory;

std::mutex languageMutex;
std::string languageFolder;

// The language's own copy of a read-only "Data/..." path, when it has one.
std::string LanguageOs(const std::string& path) {
  static const std::string kData = "Data/";
  std::string folder = LanguageFolder();
  if (folder.empty() || path.compare(0, kData.size(), kData) != 0) return "";
  return ResolveOs(folder + "/" + path.substr(kData.size()));
}

// The language's copy first, then the path as given.
std::string ResolveReadOs(const std::string& path) {
  std::string os = LanguageOs(path);
  return os.empty() ? ResolveOs(path) : os;
}

TStreamPtr OpenOs(const std::string& osPath, const char* mode) {
  if (OsType(osPath) == FILETYPE_DIR) return nullptr;
  FILE* f = fopen(osPath.c_str(), mode);
  if (!f) return nullptr;
  return std::make_unique<TFileStream>(f);
}

}  // namespace

std::string ResolvePath(const std::string& path) {
  std::string os = ResolveOs(path);
  return os.empty() ? path : os;
}

std::string FileNameOfText(const std::string& text) { return text; }

bool TextOfFileName(const std::string& fileName, std::string& text) {
  text = fileName;
  return IsUtf8(fileName);
}

void SetStreamFactory(TStreamFactory factory) {
  std::lock_guard<std::mutex> lock(factoryMutex);
  streamFactory = std::move(factory);
}

TStreamPtr ReadStream(const std::string& path) {
  TStreamFactory factory;
  {
    std::lock_guard<std::mutex> lock(factoryMutex);
    factory = streamFactory;
  }
  if (factory) {
    if (TStreamPtr s = factory(path)) return s;
  }
  return ReadDiskFile(path);
}

void SetLanguageFolder(const std::string& folder) {
  std::lock_guard<std::mutex> lock(languageMutex);
  languageFolder = folder;
}

std::string LanguageFolder() {
  std::lock_guard<std::mutex> lock(languageMutex);
  return languageFolder;
}

TStreamPtr ReadDiskFile(const std::string& path) {
  std::string os = ResolveReadOs(path);
  if (os.empty()) return nullptr;
  return OpenOs(os, "rb");
}

TStreamPtr WriteFile(const std::string& path) { return OpenOs(WritableOs(path), "wb"); }

TStreamPtr OpenFile(const std::string& path, bool read, bool write) {
  if (read && !write) return ReadDiskFile(path);
  if (write && !read) return WriteFile(path);
  if (!read) return nullptr;
  std::string os = WritableOs(path);
  return OpenOs(os, OsType(os) == FILETYPE_FILE ? "r+b" : "w+b");
}

TStreamPtr WriteFileAtomic(const std::string& path) {
  std::string target = WritableOs(path);
  if (OsType(target) == FILETYPE_DIR) return nullptr;
  std::string pattern = target + ".tmp-XXXXXX";
  int fd = mkstemp(pattern.data());
  if (fd < 0) return nullptr;
  // mkstemp creates 0600: a replaced file keeps its own permissions, a new
  // one gets the usual ones.
  struct stat old;
  if (stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
    fchmod(fd, old.st_mode & 07777);
  } else {
    mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
  }
  FILE* f = fdopen(fd, "wb");
  if (!f) {
    close(fd);
    unlink(pattern.c_str());
    return nullptr;
  }
  return std::make_unique<TAtomicFileStream>(f, pattern, target);
}

namespace {

// "NAME.tmp-XXXXXX": the temporary of an atomic write (mkstemp's six
// letters and digits).
bool IsAtomicTemporary(const std::string& name) {
  static const std::string kMark = ".tmp-";
  if (name.size() <= kMark.size() + 6) return false;
  size_t mark = name.size() - 6 - kMark.size();
  if (name.compare(mark, kMark.size(), kMark) != 0) return false;
  return std::all_of(name.end() - 6, name.end(), [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
  });
}

}  // namespace

int RemoveStaleTemporaries(const std::string& folder) {
  int removed = 0;
  if (folder.empty()) return 0;
  std::string base = folder;
  while (base.size() > 1 && (base.back() == '/' || base.back() == '\\')) base.pop_back();
  for (const std::string& name : ReadDir(base)) {
    std::string path = base + "/" + name;
    struct stat st;
    // Never follow a link out of the player's folder.
    if (lstat(path.c_str(), &st) != 0) continue;
    if (S_ISDIR(st.st_mode)) {
      removed += RemoveStaleTemporaries(path);
    } else if (S_ISREG(st.st_mode) && IsAtomicTemporary(name) && unlink(path.c_str()) == 0) {
      ++removed;
    }
  }
  return removed;
}

bool LoadBytes(const std::string& path, std::vector<uint8_t>& out) {
  TStreamPtr s = ReadStream(path);
  if (!s) return false;
  out = s->ReadAll();
  return true;
}

int FileType(const std::string& path) {
  std::string os = ResolveReadOs(path);
  return os.empty() ? FILETYPE_NONE : OsType(os);
}

int64_t FileSize(const std::string& path) {
  std::string os = ResolveReadOs(path);
  struct stat st;
  if (os.empty() || stat(os.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return -1;
  return int64_t(st.st_size);
}

int64_t FileModified(const std::string& path) {
  std::string os = ResolveOs(path);
  struct stat st;
  if (os.empty() || stat(os.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return -1;
  return int64_t(st.st_mtime);
}

std::vector<std::string> ReadDir(const std::string& path) {
  std::vector<std::string> names;
  std::string os = ResolveOs(path);
  if (os.empty()) return names;
  DIR* dir = opendir(os.c_str());
  if (!dir) return names;
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    names.push_back(name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

bool CreateDir(const std::string& path, bool recurse) {
  std::string os = path;
  while (os.size() > 1 && (os.back() == '/' || os.back() == '\\')) os.pop_back();
  if (OsType(os) == FILETYPE_DIR) return true;
  if (recurse) {
    size_t slash = os.find_last_of('/');
    if (slash != std::string::npos && slash > 0) {
      if (!CreateDir(os.substr(0, slash), true)) return false;
    }
  }
  return mkdir(os.c_str(), 0755) == 0 || (errno == EEXIST && OsType(os) == FILETYPE_DIR);
}

bool DeleteDir(const std::string& path, bool recurse) {
  std::string os = ResolveOs(path);
  if (os.empty() || OsType(os) != FILETYPE_DIR) return false;
  if (recurse) {
    for (const std::string& name : ReadDir(os)) {
      std::string child = os + "/" + name;
      if (FileType(child) == FILETYPE_DIR) {
        if (!DeleteDir(child, true)) return false;
      } else if (!DeleteFile(child)) {
        return false;
      }
    }
  }
  return rmdir(os.c_str()) == 0;
}

bool RemoveUnlessPlainFile(const std::string& path) {
  std::string os = WritableOs(path);
  struct stat st;
  if (lstat(os.c_str(), &st) != 0 || S_ISREG(st.st_mode)) return false;
  // A folder goes with all it holds; a link goes itself, never what it names.
  auto removeOne = [](const char* entry, const struct stat*, int, FTW*) { return remove(entry); };
  if (S_ISDIR(st.st_mode)) return nftw(os.c_str(), removeOne, 16, FTW_DEPTH | FTW_PHYS) == 0;
  return unlink(os.c_str()) == 0;
}

bool DeleteFile(const std::string& path) {
  std::string os = ResolveOs(path);
  if (os.empty() || OsType(os) != FILETYPE_FILE) return false;
  return unlink(os.c_str()) == 0;
}

bool RenameFile(const std::string& from, const std::string& to) {
  std::string src = ResolveOs(from);
  if (src.empty()) return false;
  return rename(src.c_str(), WritableOs(to).c_str()) == 0;
}

bool CopyFile(const std::string& from, const std::string& to) {
  TStreamPtr in = ReadDiskFile(from);
  if (!in) return false;
  std::vector<uint8_t> bytes = in->ReadAll();
  TStreamPtr out = WriteFileAtomic(to);
  if (!out) return false;
  if (!bytes.empty()) out->Write(bytes.data(), bytes.size());
  return out->Close();
}

std::string AppDir() {
  char buf[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return CurrentDir();
  std::string exe(buf, size_t(n));
  size_t slash = exe.find_last_of('/');
  return slash == std::string::npos ? exe : exe.substr(0, slash);
}

std::string CurrentDir() {
  char buf[PATH_MAX];
  if (!getcwd(buf, sizeof buf)) return ".";
  return buf;
}

bool ChangeDir(const std::string& path) {
  std::string os = ResolveOs(path);
  return !os.empty() && chdir(os.c_str()) == 0;
}

}  // namespace plat
