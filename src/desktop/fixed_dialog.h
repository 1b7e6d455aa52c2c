#pragma once

#include <QDialog>
#include <QLayout>

// A dialog of one designed size: its layout fixes the size, and the title
// bar offers only the close box -- nothing to maximise or stretch into
// empty panels.
inline void makeFixedDialog(QDialog& dialog) {
  dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                        Qt::WindowCloseButtonHint);
  if (dialog.layout()) dialog.layout()->setSizeConstraint(QLayout::SetFixedSize);
}
