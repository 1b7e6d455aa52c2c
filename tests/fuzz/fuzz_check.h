#pragma once

#include <QByteArray>
#include <QString>
#include <cstdio>
#include <cstdlib>

// A broken promise of a reader is a finding like a crash: report and abort,
// so that libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                         \
  do {                                                                                \
    if (!(condition)) {                                                               \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                   \
    }                                                                                 \
  } while (false)

inline QByteArray fuzzBytes(const uint8_t* data, size_t size) {
  return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}
