#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// A text file read with bounded memory and time, whatever its size. A file
// of up to kReadBytes (or kKeepLines lines) is read and decoded whole. Of a
// longer one, only the start up to its last line end within those bounds is
// decoded; the rest is not kept but can be counted by its non-blank lines,
// scanning at most kScanBytes more, so that a reader can tell how much it
// left out.
//
// The budget holds any list of the most pairs a list holds (32767) with
// lines of up to 256 bytes on average, and with up to four lines per pair.
class BoundedText {
 public:
  static constexpr qint64 kReadBytes = 8 << 20;
  static constexpr qint64 kKeepLines = 1 << 17;
  static constexpr qint64 kScanBytes = 256 << 20;

  // Non-blank lines after the text.
  struct Lines {
    qint64 count = 0;
    // The scan stopped at kScanBytes before the end of the file: there are more.
    bool atLeast = false;
  };

  // Whether a file of these bytes is read whole.
  static bool readsWhole(const QByteArray& bytes) {
    return bytes.size() <= kReadBytes && bytes.count('\n') < kKeepLines;
  }

  // Opens a regular file and reads its start; false when it cannot be read.
  bool open(const QString& path);

  // Whether the text is all of the file.
  bool whole() const { return whole_; }

  // The decoded text (see TextCodec::decodeReporting; `imported` for a
  // file from elsewhere); the bytes are let go of, so call it once.
  QString takeText(bool imported = false);
  // Lines of the text that held bytes it could not read (see takeText).
  int badLines() const { return badLines_; }

  // Counts the non-blank lines after the text, stopping at `cap`; once. Lines
  // end at CR or LF; blank is what the field reader skips (space, tab, EOF mark).
  Lines linesBeyond(qint64 cap);

 private:
  // Counts line by line across pieces; a line counts once it holds a non-blank byte.
  struct LineCounter {
    qint64 count = 0;
    bool inLine = false;
    bool utf16 = false;
    // Reads `bytes` until the count reaches `cap`; false then.
    bool take(const char* bytes, qint64 size, qint64 cap);
  };

  QFile file_;
  QByteArray bytes_;  // the start that becomes the text
  bool whole_ = true;
  int badLines_ = 0;
  // The lines of what was read after the text, counted while it was at hand.
  LineCounter counted_;
  qint64 scanned_ = 0;
};
