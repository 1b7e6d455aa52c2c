#pragma once

#include <sqlite3.h>
#include <zip.h>

// The zip and SQLite calls the flashcard readers make. Where these libraries
// are shared ones, they are loaded the first time a package or collection is
// read, so that a display or dialog that never reads one maps neither (libzip
// alone brings a cryptography library along). Where they are linked in
// (the static Windows build), the calls are the linked functions.
#define DRIFTGLYPH_ZIP_CALLS(X) \
  X(zip_open) X(zip_discard) X(zip_name_locate) X(zip_stat_init) X(zip_stat) X(zip_fopen) X(zip_fread) X(zip_fclose)

#define DRIFTGLYPH_SQLITE_CALLS(X)                                                                                   \
  X(sqlite3_open_v2) X(sqlite3_close_v2) X(sqlite3_limit) X(sqlite3_busy_timeout) X(sqlite3_create_collation_v2)     \
  X(sqlite3_prepare_v2) X(sqlite3_step) X(sqlite3_finalize) X(sqlite3_column_int64) X(sqlite3_column_blob)           \
  X(sqlite3_column_text) X(sqlite3_column_bytes) X(sqlite3_progress_handler) X(sqlite3_hard_heap_limit64)

#define DRIFTGLYPH_CALL_MEMBER(name) decltype(&::name) name = nullptr;

struct ZipCalls {
  DRIFTGLYPH_ZIP_CALLS(DRIFTGLYPH_CALL_MEMBER)
};

struct SqliteCalls {
  DRIFTGLYPH_SQLITE_CALLS(DRIFTGLYPH_CALL_MEMBER)
};

#undef DRIFTGLYPH_CALL_MEMBER

namespace LibraryCalls {

// The calls, loaded on the first use; nullptr when the library is missing
// (the files then read as not available).
const ZipCalls* zip();
const SqliteCalls* sqlite();

}  // namespace LibraryCalls
