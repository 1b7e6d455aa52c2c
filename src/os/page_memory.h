#pragma once

#include <cstddef>

// Memory for large buffers made and let go many times a second (pictures of
// words that change size as they move, and the background under them). On
// Windows it comes straight from the system and goes back to it when
// released: a heap keeps the pages of freed blocks it cannot hand on, and
// blocks of a new size each frame leave holes no later block fits (Wine's
// heap keeps all but its largest blocks). Elsewhere it is the C library's:
// glibc maps large blocks on their own, and HeapTrim gives back the rest.
namespace PageMemory {

// `bytes` of writable memory, or nullptr when the system has none left.
void* allocate(std::size_t bytes);
// Gives back what `allocate` returned; takes nullptr.
void release(void* memory);

}  // namespace PageMemory
