#pragma once
// The program's icon and the product name's initial, drawn here so no
// artwork file is needed.

#include <QColor>
#include <QIcon>
#include <QPixmap>

namespace icon {
/// The program icon: a coloured tile with a "K", size in logical pixels.
QPixmap program(int size);
/// The initial "K" of the product name, as the head band shows it (yellow).
QPixmap initial(int size, const QColor &colour = QColor(255, 255, 0));
/// The windows' icon: the one the desktop menu shows.
QIcon window();
} // namespace icon
