#include "platform/win32/win32_files.h"

#include <windows.h>

#include <system_error>

#include "platform/error.h"
#include "platform/win32/disk_file.h"

namespace qb::win32 {
namespace {

bool WriteAll(HANDLE file, std::string_view content) {
  while (!content.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size(), 1u << 20));
    DWORD written = 0;
    if (!::WriteFile(file, content.data(), chunk, &written, nullptr) || written == 0) return false;
    content.remove_prefix(written);
  }
  // The data must be on the disk before the file takes the old one's place.
  return ::FlushFileBuffers(file) != 0;
}

DWORD Attributes(const std::filesystem::path& path) { return ::GetFileAttributesW(path.c_str()); }

}  // namespace

bool Win32Files::FileExists(const std::filesystem::path& path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Files::DirectoryExists(const std::filesystem::path& path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> Win32Files::ReadAll(const std::filesystem::path& path) {
  // Only a file on a disk: a name that opens a port or the console would
  // make the read wait for ever.
  UniqueFile file = OpenFileOnDisk(path.native(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
  if (!file) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::nullopt;
    throw Error("Cannot open file " + platform::PathText(path));
  }
  std::string content;
  char buffer[64 * 1024];
  for (;;) {
    DWORD read = 0;
    if (!::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) {
      throw Error("Cannot open file " + platform::PathText(path));
    }
    if (read == 0) break;
    content.append(buffer, read);
  }
  return content;
}

void Win32Files::ReplaceAll(const std::filesystem::path& path, std::string_view content) {
  std::filesystem::path folder = path.parent_path();
  if (folder.empty()) folder = L".";
  wchar_t temporary[MAX_PATH];
  if (!::GetTempFileNameW(folder.c_str(), L"qb", 0, temporary)) platform::ThrowCannotCreate(path);

  bool written = false;
  {
    UniqueFile file(::CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    written = file && WriteAll(file.get(), content);
  }
  if (!written ||
      !::MoveFileExW(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    ::DeleteFileW(temporary);
    platform::ThrowCannotCreate(path);
  }
}

bool Win32Files::CreateNew(const std::filesystem::path& path, std::string_view content) {
  UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) return false;
    platform::ThrowCannotCreate(path);
  }
  if (!WriteAll(file.get(), content)) {
    file.reset();
    ::DeleteFileW(path.c_str());
    platform::ThrowCannotCreate(path);
  }
  return true;
}

bool Win32Files::CreateDirectories(const std::filesystem::path& path) {
  std::error_code error;
  std::filesystem::create_directories(path, error);
  return DirectoryExists(path);
}

std::vector<platform::FolderEntry> Win32Files::ListFolder(const std::filesystem::path& folder) {
  std::vector<platform::FolderEntry> entries;
  WIN32_FIND_DATAW found;
  const std::wstring pattern = (folder / L"*").wstring();
  const UniqueFind search(::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                             FindExSearchNameMatch, nullptr, 0));
  if (search.get() == INVALID_HANDLE_VALUE) return entries;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    // A name that Windows turns into a device ("COM1.reg") names no file
    // that the program could open by it.
    const std::filesystem::path path = folder / found.cFileName;
    if (IsDeviceName(path.native())) continue;
    FILETIME local;
    SYSTEMTIME time{};
    ::FileTimeToLocalFileTime(&found.ftLastWriteTime, &local);
    ::FileTimeToSystemTime(&local, &time);
    entries.push_back({path,
                       {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond,
                        time.wMilliseconds}});
  } while (::FindNextFileW(search.get(), &found));
  return entries;
}

}  // namespace qb::win32
