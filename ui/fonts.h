// The window's fonts. The fonts named here are asked for first; where a system lacks them
// the platform's default takes their place (and supplies the Japanese glyphs). Every font
// returned has its properties set explicitly, so a widget given one keeps it instead of
// inheriting the caption font of the group it sits in. Tested through main_window_test.cc.
#ifndef QUILLON_UI_FONTS_H_
#define QUILLON_UI_FONTS_H_

#include <QFont>

namespace quillon {

// The application's font, plain.
QFont PlainFont();
// Lists and previews.
QFont ListFont();
// Buttons and group captions: a bold serif.
QFont CaptionFont();

}  // namespace quillon

#endif  // QUILLON_UI_FONTS_H_
