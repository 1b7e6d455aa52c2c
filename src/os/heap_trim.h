#pragma once

// Gives memory the process has freed back to the system, where the C
// library keeps it with the heap otherwise (glibc); nothing elsewhere.
namespace HeapTrim {
void release();
}
