#include "os/page_memory.h"

#include <windows.h>

namespace PageMemory {

void* allocate(std::size_t bytes) { return VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE); }

void release(void* memory) {
  if (memory) VirtualFree(memory, 0, MEM_RELEASE);
}

}  // namespace PageMemory
