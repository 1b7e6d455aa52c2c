// Any settings file loads, and what the load then writes reads back the same.
#include "fuzz_check.h"
#include "startup/saver_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const SettingsFile::Parsed loaded = SettingsFile::parse(fuzzBytes(data, size));
  FUZZ_CHECK(loaded.linesRead >= 0 && loaded.linesRead <= 11);
  FUZZ_CHECK(loaded.settings.speed >= 1 && loaded.settings.speed <= 7);
  const QByteArray written = SettingsFile::format(loaded.settings);
  const SettingsFile::Parsed again = SettingsFile::parse(written);
  FUZZ_CHECK(again.linesRead == 11);
  FUZZ_CHECK(SettingsFile::format(again.settings) == written);
  return 0;
}
