// The system's handle list, counted for one process, registry keys apart.
#include "handle_count_win32.h"

#include <winternl.h>

#include <cstddef>
#include <string_view>
#include <vector>

namespace {

// One entry of the system's handle list, as ntdll lays it out.
struct HandleEntry {
  ULONG pid;
  BYTE object_type, flags;
  USHORT value;
  PVOID object;
  ACCESS_MASK access;
};
struct HandleList {
  ULONG count;
  HandleEntry entries[1];
};
constexpr auto kSystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);

// Whether a handle of another process is a registry key, told by its copy.
bool IsRegistryKey(HANDLE process, USHORT value) {
  HANDLE copy = nullptr;
  if (!DuplicateHandle(process, reinterpret_cast<HANDLE>(static_cast<uintptr_t>(value)), GetCurrentProcess(), &copy,
                       0, FALSE, DUPLICATE_SAME_ACCESS))
    return false;
  alignas(8) unsigned char buffer[1024];
  const auto* type = reinterpret_cast<const PUBLIC_OBJECT_TYPE_INFORMATION*>(buffer);
  ULONG length = 0;
  const bool key = NtQueryObject(copy, ObjectTypeInformation, buffer, sizeof buffer, &length) == 0 &&
                   std::wstring_view(type->TypeName.Buffer, type->TypeName.Length / 2) == L"Key";
  CloseHandle(copy);
  return key;
}

}  // namespace

HandleCounts ListedHandles(DWORD pid) {
  std::vector<unsigned char> list(1 << 20);
  ULONG length = 0;
  NTSTATUS status;
  while ((status = NtQuerySystemInformation(kSystemHandleInformation, list.data(),
                                            static_cast<ULONG>(list.size()), &length)) == kInfoLengthMismatch &&
         list.size() < (64u << 20))
    list.resize(list.size() * 2);
  HandleCounts counts;
  if (status != 0) return counts;
  HANDLE process = OpenProcess(PROCESS_DUP_HANDLE, FALSE, pid);
  const auto* handles = reinterpret_cast<const HandleList*>(list.data());
  const size_t fits = (list.size() - offsetof(HandleList, entries)) / sizeof(HandleEntry);
  for (size_t i = 0; i < handles->count && i < fits; ++i) {
    if (handles->entries[i].pid != pid) continue;
    ++counts.all;
    counts.registry_keys += process && IsRegistryKey(process, handles->entries[i].value);
  }
  if (process) CloseHandle(process);
  return counts;
}
