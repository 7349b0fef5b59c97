#pragma once
// The cursors the windows use, and the application-wide override cursor.
#include <QCursor>

enum class TCursor { Default, Arrow, HourGlass, HandPoint, Cross, SizeAll };

QCursor ToQCursor(TCursor cursor);

namespace Screen {
// The cursor shown everywhere in the program (TCursor::Default: each control's own).
void SetCursor(TCursor cursor);
TCursor Cursor();
// The cursor display counter: hiding decrements it, showing increments it, and the mouse
// cursor is visible while it is not negative.
void ShowCursor(bool show);
int CursorCounter();
}  // namespace Screen
