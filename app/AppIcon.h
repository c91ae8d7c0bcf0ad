#pragma once

#include <QIcon>
#include <QPixmap>

// The program's icon, drawn in code: a response curve of an equaliser (a low-shelf lift, a peak
// and a cut) in red over a dark panel with a faint grid and the 0 dB line, the picture the
// program itself shows on its equaliser pages.
class AppIcon {
public:
    // The icon at the usual sizes, 16 to 256 pixels.
    static QIcon Icon();
    // The picture at one size (square, transparent corners).
    static QPixmap Pixmap(int size);
};
