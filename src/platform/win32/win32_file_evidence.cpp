#include "platform/win32/win32_file_evidence.h"

#include "platform/win32/disk_file.h"
#include "platform/win32/file_hash.h"
#include "platform/win32/signature_check.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"

namespace qb::win32 {

std::string SystemMessage(DWORD error) {
  UniqueLocal<wchar_t*> text;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(text.put()), 0, nullptr);
  if (length == 0 || !text) return {};
  std::wstring message(text.get(), length);
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                              message.back() == L' ' || message.back() == L'.')) {
    message.pop_back();
  }
  return Narrow(message);
}

std::optional<platform::FileFacts> Win32FileEvidence::Examine(std::string_view path,
                                                             std::stop_token stop) {
  platform::FileFacts facts;
  const std::wstring name = Widen(path);
  const UniqueFile file = OpenFileOnDisk(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                         FILE_FLAG_SEQUENTIAL_SCAN);
  if (!file) {
    facts.read_error = ::GetLastError();
    facts.read_error_text = SystemMessage(facts.read_error);
    return facts;
  }
  const std::optional<FileHash> hash = Sha256OfFile(file.get(), stop);
  if (!hash) return std::nullopt;
  if (hash->error != 0) {
    facts.read_error = hash->error;
    facts.read_error_text = SystemMessage(hash->error);
    return facts;
  }
  if (stop.stop_requested()) return std::nullopt;
  facts.sha256 = hash->sha256;
  ::SetFilePointer(file.get(), 0, nullptr, FILE_BEGIN);
  const TrustAnswer answer = CheckSignature(file.get(), name);
  facts.trust_result = answer.result;
  facts.signer = answer.signer;
  facts.from_catalog = answer.from_catalog;
  return facts;
}

}  // namespace qb::win32
