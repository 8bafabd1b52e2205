#include "runs/win32_file_system.h"

#include <windows.h>

#include <algorithm>

#include "runs/file_names.h"
#include "runs/win32_wide.h"
#include "runs/windows_file_names.h"

namespace quorlith {
namespace {

// A FILETIME counts 100-nanosecond ticks since 1601-01-01 UTC.
constexpr std::uint64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kSecondsFrom1601To1970 = 11'644'473'600;

std::int64_t UnixSeconds(const FILETIME& time) {
  std::uint64_t ticks =
      (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
      time.dwLowDateTime;
  return static_cast<std::int64_t>(ticks / kTicksPerSecond) -
         kSecondsFrom1601To1970;
}

std::uint64_t SizeOf(DWORD high, DWORD low) {
  return (static_cast<std::uint64_t>(high) << 32) | low;
}

class Win32Handle {
 public:
  explicit Win32Handle(HANDLE handle) : handle_(handle) {}
  ~Win32Handle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  Win32Handle(const Win32Handle&) = delete;
  Win32Handle& operator=(const Win32Handle&) = delete;

  HANDLE get() const { return handle_; }
  bool Close() {
    HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return CloseHandle(handle) != 0;
  }

 private:
  HANDLE handle_;
};

class Win32InputFile : public InputFile {
 public:
  explicit Win32InputFile(HANDLE handle) : handle_(handle) {}

  std::size_t Read(std::span<std::uint8_t> buffer) override {
    std::size_t done = 0;
    while (done < buffer.size()) {
      DWORD want = static_cast<DWORD>(
          std::min<std::size_t>(buffer.size() - done, 1u << 30));
      DWORD got = 0;
      if (!ReadFile(handle_.get(), buffer.data() + done, want, &got, nullptr) ||
          got == 0) {
        break;
      }
      done += got;
    }
    return done;
  }

  bool Close() override { return handle_.Close(); }

 private:
  Win32Handle handle_;
};

class Win32OutputFile : public OutputFile {
 public:
  explicit Win32OutputFile(HANDLE handle) : handle_(handle) {}

  bool Write(std::span<const std::uint8_t> bytes) override {
    std::size_t done = 0;
    while (done < bytes.size()) {
      DWORD want = static_cast<DWORD>(
          std::min<std::size_t>(bytes.size() - done, 1u << 30));
      DWORD put = 0;
      if (!WriteFile(handle_.get(), bytes.data() + done, want, &put, nullptr) ||
          put == 0) {
        return false;
      }
      done += put;
    }
    return true;
  }

  bool Close() override { return handle_.Close(); }

 private:
  Win32Handle handle_;
};

bool HasWildcard(std::string_view pattern) {
  return pattern.find_first_of("*?") != std::string_view::npos;
}

// Opens `path` for nothing but questions about it; directories too.
HANDLE OpenToQuery(const std::string& path) {
  return CreateFileW(Widen(path).c_str(), 0,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                     nullptr);
}

FileId IdOfInformation(const BY_HANDLE_FILE_INFORMATION& info) {
  return {info.dwVolumeSerialNumber,
          SizeOf(info.nFileIndexHigh, info.nFileIndexLow)};
}

}  // namespace

std::string Win32FileSystem::CurrentDirectory() {
  DWORD size = GetCurrentDirectoryW(0, nullptr);
  if (size == 0) return {};
  std::wstring dir(size, L'\0');
  DWORD length = GetCurrentDirectoryW(size, dir.data());
  if (length == 0 || length >= size) return {};
  dir.resize(length);
  std::string utf8 = Narrow(dir);
  if (!IsWindowsSeparator(utf8.back())) utf8.push_back('\\');
  return utf8;
}

std::vector<DirEntry> Win32FileSystem::Search(const std::string& directory,
                                              std::string_view pattern) {
  std::vector<DirEntry> entries;
  std::string query = directory + std::string(pattern);
  if (!FitsWindowsLimits(query)) return entries;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileExW(Widen(query).c_str(), FindExInfoBasic, &data,
                                 FindExSearchNameMatch, nullptr, 0);
  if (find == INVALID_HANDLE_VALUE) return entries;
  do {
    std::string name = Narrow(data.cFileName);
    if (name == "." || name == "..") continue;
    // Windows also matches a wildcard against the short 8.3 name, so that
    // "*.000" would find LONGNAME.0001 by its LONGNA~1.000. Matching the
    // long name by the rules of every platform keeps those out and makes
    // one folder give the same files, and the same log, as on Linux. A
    // name without wildcards is the file the user named: kept as found.
    if (HasWildcard(pattern) && !MatchesWildcard(pattern, name)) continue;
    DirEntry entry;
    entry.name = name;
    entry.size = SizeOf(data.nFileSizeHigh, data.nFileSizeLow);
    entry.modified = UnixSeconds(data.ftLastWriteTime);
    // As on Linux a link is followed: the run reads the file it points at,
    // so its size, time and identity are what count.
    Win32Handle file(OpenToQuery(directory + name));
    BY_HANDLE_FILE_INFORMATION info;
    if (file.get() != INVALID_HANDLE_VALUE &&
        GetFileInformationByHandle(file.get(), &info)) {
      entry.size = SizeOf(info.nFileSizeHigh, info.nFileSizeLow);
      entry.modified = UnixSeconds(info.ftLastWriteTime);
      entry.id = IdOfInformation(info);
    }
    entries.push_back(std::move(entry));
  } while (FindNextFileW(find, &data));
  FindClose(find);
  // The search's own order depends on the file system (NTFS sorts by its
  // upper-case table, FAT keeps the order of creation); the order of Linux
  // gives the same log for the same folder on every system.
  SortEntries(entries);
  return entries;
}

std::unique_ptr<InputFile> Win32FileSystem::OpenForRead(
    const std::string& path) {
  if (!FitsWindowsLimits(path)) return nullptr;
  // Sharing writes lets a set file be read while the screen reader keeps
  // it open. A folder does not open without FILE_FLAG_BACKUP_SEMANTICS.
  HANDLE handle = CreateFileW(
      Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
      nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  auto file = std::make_unique<Win32InputFile>(handle);
  // A name such as NUL.000 or COM1.000 reaches a device, not a file.
  if (GetFileType(handle) != FILE_TYPE_DISK) return nullptr;
  return file;
}

std::unique_ptr<OutputFile> Win32FileSystem::Create(const std::string& path) {
  if (!FitsWindowsLimits(path)) return nullptr;
  HANDLE handle =
      CreateFileW(Widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32OutputFile>(handle);
}

std::unique_ptr<OutputFile> Win32FileSystem::CreateBeside(
    const std::string& path, std::string& name) {
  constexpr int kTries = 16;
  for (int i = 0; i < kTries; ++i) {
    name = path + ".quorlith-" + UnguessableLetters(12);
    if (!FitsWindowsLimits(name)) return nullptr;
    // CREATE_NEW refuses any name that exists, a link included.
    HANDLE handle =
        CreateFileW(Widen(name).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                    nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_EXISTS) {
      continue;
    }
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32OutputFile>(handle);
  }
  return nullptr;
}

std::string Win32FileSystem::FollowLinks(const std::string& path) {
  if (!FitsWindowsLimits(path)) return path;
  DWORD attributes = GetFileAttributesW(Widen(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES ||
      (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
    return path;
  }
  Win32Handle file(OpenToQuery(path));
  if (file.get() == INVALID_HANDLE_VALUE) return path;
  std::wstring final(MAX_PATH, L'\0');
  DWORD length = GetFinalPathNameByHandleW(file.get(), final.data(),
                                           static_cast<DWORD>(final.size()), 0);
  if (length == 0 || length >= final.size()) return path;
  final.resize(length);
  // The name comes back with the prefix of the system's own namespace.
  std::wstring_view name = final;
  if (name.starts_with(L"\\\\?\\UNC\\")) {
    return "\\\\" + Narrow(name.substr(8));
  }
  if (name.starts_with(L"\\\\?\\")) return Narrow(name.substr(4));
  return Narrow(name);
}

std::optional<FileId> Win32FileSystem::IdOf(const std::string& path) {
  if (!FitsWindowsLimits(path)) return std::nullopt;
  Win32Handle file(OpenToQuery(path));
  BY_HANDLE_FILE_INFORMATION info;
  if (file.get() == INVALID_HANDLE_VALUE ||
      !GetFileInformationByHandle(file.get(), &info)) {
    return std::nullopt;
  }
  return IdOfInformation(info);
}

bool Win32FileSystem::Rename(const std::string& from, const std::string& to) {
  if (!FitsWindowsLimits(from) || !FitsWindowsLimits(to)) return false;
  return MoveFileExW(Widen(from).c_str(), Widen(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool Win32FileSystem::Remove(const std::string& path) {
  return FitsWindowsLimits(path) && DeleteFileW(Widen(path).c_str()) != 0;
}

}  // namespace quorlith
