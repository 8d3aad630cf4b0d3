#include "process_objects.h"

#include <psapi.h>
#include <winternl.h>

#include <cstdint>
#include <cstring>

namespace kaleidra::testing {

namespace {

// One entry of the GDI handle table that the system maps into every process (Windows and Wine lay
// it out alike on 64 bits). A handle is the entry's index with its Unique value in the upper half.
struct GdiHandleEntry {
    std::uint64_t object;
    std::uint16_t processId;
    std::uint16_t count;
    std::uint16_t unique;
    std::uint8_t type;
    std::uint8_t flags;
    std::uint64_t userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24);

constexpr std::size_t gdiHandleCount = 0x10000;
constexpr std::size_t pebGdiSharedHandleTable = 0xF8;  // its place in the 64-bit process block

const GdiHandleEntry* gdiHandleTable() {
    PROCESS_BASIC_INFORMATION process{};
    if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &process, sizeof process,
                                  nullptr) != 0)
        return nullptr;
    const auto* block = reinterpret_cast<const std::byte*>(process.PebBaseAddress);
    const GdiHandleEntry* table = nullptr;
    std::memcpy(&table, block + pebGdiSharedHandleTable, sizeof table);
    return table;
}

BOOL CALLBACK countWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

// A top-level window and all its descendants, which EnumChildWindows walks at every depth.
BOOL CALLBACK countWindowTree(HWND window, LPARAM count) {
    countWindow(window, count);
    EnumChildWindows(window, countWindow, count);
    return TRUE;
}

}  // namespace

int gdiObjectCount() {
    const GdiHandleEntry* table = gdiHandleTable();
    if (!table) return -1;
    int count = 0;
    for (std::size_t index = 0; index < gdiHandleCount; ++index) {
        const GdiHandleEntry& entry = table[index];
        if (entry.type == 0) continue;
        // Another process's handle, or a stale entry, names no object here.
        const auto handle = reinterpret_cast<HGDIOBJ>(
            static_cast<ULONG_PTR>(index | (std::uint32_t{entry.unique} << 16)));
        if (GetObjectType(handle) != 0) ++count;
    }
    return count;
}

int windowCount() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), countWindowTree, reinterpret_cast<LPARAM>(&count));
    return count;
}

std::size_t privateBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof counters);
    return counters.PrivateUsage;
}

}  // namespace kaleidra::testing
