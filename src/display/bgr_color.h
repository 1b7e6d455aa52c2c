#pragma once

#include <QColor>
#include <cstdint>

// Colours are kept as 0x00BBGGRR numbers in the settings and on the labels.
namespace BgrColor {

inline QColor toQColor(int32_t bgr) {
  const auto value = uint32_t(bgr);
  return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

inline int32_t fromQColor(const QColor& color) {
  return int32_t(uint32_t(color.red()) | (uint32_t(color.green()) << 8) | (uint32_t(color.blue()) << 16));
}

}  // namespace BgrColor
