#pragma once

#include <QString>

// Plain-text clipboard, behind an interface so tests can hold their own.
class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual QString text() const = 0;
  virtual void setText(const QString& text) = 0;
};

// The system clipboard.
class SystemClipboard final : public Clipboard {
 public:
  QString text() const override;
  void setText(const QString& text) override;
};
