#include "os/heap_trim.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace HeapTrim {

void release() {
#ifdef __GLIBC__
  malloc_trim(0);
#endif
}

}  // namespace HeapTrim
