#include "anki/library_calls.h"

#include <QLibrary>
#include <optional>

namespace LibraryCalls {

namespace {

#ifdef DRIFTGLYPH_LINKED_ANKI_LIBRARIES

#define DRIFTGLYPH_TAKE(name) calls.name = &::name;

struct Taker {};

template <typename Calls, typename TakeAll>
std::optional<Calls> load(const QString&, int, TakeAll takeAll) {
  Taker take;
  Calls calls;
  takeAll(take, calls);
  return calls;
}

#else

#define DRIFTGLYPH_TAKE(name) take(#name, calls.name);

// Resolves one call after another; `found` stays true while every one is there.
struct Taker {
  QLibrary& library;
  bool found;
  template <typename Function>
  void operator()(const char* symbol, Function& into) {
    into = reinterpret_cast<Function>(library.resolve(symbol));
    found = found && into != nullptr;
  }
};

// By the name and version its package installs it under. A library loaded
// here stays loaded for the rest of the run.
template <typename Calls, typename TakeAll>
std::optional<Calls> load(const QString& name, int version, TakeAll takeAll) {
  QLibrary library(name, version);
  Taker take{library, library.load()};
  Calls calls;
  takeAll(take, calls);
  return take.found ? std::optional(calls) : std::nullopt;
}

#endif

}  // namespace

const ZipCalls* zip() {
  static const std::optional<ZipCalls> calls = load<ZipCalls>(
      QStringLiteral("zip"), 4, [](Taker& take, ZipCalls& calls) { DRIFTGLYPH_ZIP_CALLS(DRIFTGLYPH_TAKE) });
  return calls ? &*calls : nullptr;
}

const SqliteCalls* sqlite() {
  static const std::optional<SqliteCalls> calls = load<SqliteCalls>(
      QStringLiteral("sqlite3"), 0, [](Taker& take, SqliteCalls& calls) { DRIFTGLYPH_SQLITE_CALLS(DRIFTGLYPH_TAKE) });
  return calls ? &*calls : nullptr;
}

}  // namespace LibraryCalls
