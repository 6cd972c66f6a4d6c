#include "process_handles.h"

#include <windows.h>

#include <winternl.h>

#include <vector>

namespace qb::bench {
namespace {

// SystemExtendedHandleInformation: its entries carry full process ids.
constexpr auto kExtendedHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(64);
constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);

struct HandleEntry {
  PVOID object;
  ULONG_PTR process_id;
  ULONG_PTR handle;
  ULONG access;
  USHORT creator_back_trace;
  USHORT type_index;
  ULONG attributes;
  ULONG reserved;
};

struct HandleTable {
  ULONG_PTR count;
  ULONG_PTR reserved;
  HandleEntry entries[1];
};

}  // namespace

long KernelHandlesOfThisProcess() {
  std::vector<char> buffer(1 << 16);
  NTSTATUS status;
  ULONG needed = 0;
  while ((status = ::NtQuerySystemInformation(kExtendedHandleInformation, buffer.data(),
                                              static_cast<ULONG>(buffer.size()), &needed)) ==
         kInfoLengthMismatch) {
    buffer.resize(buffer.size() * 2);
  }
  if (status != 0) return -1;
  const auto* table = reinterpret_cast<const HandleTable*>(buffer.data());
  const ULONG_PTR self = ::GetCurrentProcessId();
  long mine = 0;
  for (ULONG_PTR i = 0; i < table->count; ++i) {
    if (table->entries[i].process_id == self) ++mine;
  }
  return mine;
}

}  // namespace qb::bench
