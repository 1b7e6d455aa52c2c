#include "os/page_memory.h"

#include <cstdlib>

namespace PageMemory {

void* allocate(std::size_t bytes) { return std::malloc(bytes); }

void release(void* memory) { std::free(memory); }

}  // namespace PageMemory
