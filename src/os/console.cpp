#include "os/console.h"

#include <QStringDecoder>
#include <cstdio>

namespace {

// One standard stream; UTF-8 split between two writes is decoded whole.
class StandardStream final : public QIODevice {
 public:
  StandardStream(int number, FILE* file) : number_(number), file_(file) { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* data, qint64 length) override {
    const QString text = decoder_.decode(QByteArrayView(data, length));
    if (!Console::writeToConsole(number_, text)) {
      std::fwrite(data, 1, size_t(length), file_);
      std::fflush(file_);
    }
    return length;
  }

 private:
  int number_;
  FILE* file_;
  QStringDecoder decoder_{QStringDecoder::Utf8};
};

}  // namespace

namespace Console {

QIODevice& out() {
  static StandardStream stream(1, stdout);
  return stream;
}

QIODevice& err() {
  static StandardStream stream(2, stderr);
  return stream;
}

void printOut(const QString& text) { out().write(text.toUtf8()); }

void printErr(const QString& text) { err().write(text.toUtf8()); }

}  // namespace Console
