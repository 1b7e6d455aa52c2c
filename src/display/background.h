#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QSize>
#include <QString>

// The background picture, tiled once from the top-left corner at its natural
// size; the words move over it without redrawing it.
namespace Background {

// Where the copies of a picture go: i = 0..floor(screen w / pw), j = 0..floor(screen h / ph).
// Tiles on the right and bottom edges may reach past the screen.
QList<QPoint> tileOrigins(QSize picture, QSize screen);

// The screen-sized back buffer: black, with `picture` tiled over it when it
// loaded. A null picture leaves it black.
QImage compose(const QImage& picture, QSize screen);

// Loads a bmp, jpg, jpeg or gif picture; a null image when it cannot be read.
QImage load(const QString& path);

}  // namespace Background
