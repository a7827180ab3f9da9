#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

class QPainter;

namespace farvik {

// The toolbar's image list: our own small drawings, by icon key ("new", "open", "save",
// "play", "print", "edit", "edit1", "program", "exit"). An unknown key gives a null icon.
QIcon toolbarIcon(const QString& key);

// The program's picture: a falling reliability curve (window icon, splash and About box).
QPixmap programPicture(int size);
// The same picture painted on a 32 x 32 grid: the desktop icons are made from it.
void paintProgramPicture(QPainter& painter);

// A small block diagram of elements in series and in parallel (the splash's second picture).
QPixmap systemPicture(int size);

}  // namespace farvik
