#include "TCursor.h"

#include <QApplication>

QCursor ToQCursor(TCursor cursor) {
  switch (cursor) {
    case TCursor::HourGlass:
      return QCursor(Qt::WaitCursor);
    case TCursor::HandPoint:
      return QCursor(Qt::PointingHandCursor);
    case TCursor::Cross:
      return QCursor(Qt::CrossCursor);
    case TCursor::SizeAll:
      return QCursor(Qt::SizeAllCursor);
    case TCursor::Default:
    case TCursor::Arrow:
      break;
  }
  return QCursor(Qt::ArrowCursor);
}

namespace {
TCursor g_screenCursor = TCursor::Default;
int g_cursorCounter = 0;
bool g_cursorHidden = false;
}  // namespace

void Screen::ShowCursor(bool show) {
  g_cursorCounter += show ? 1 : -1;
  const bool hide = g_cursorCounter < 0;
  if (hide == g_cursorHidden) return;
  g_cursorHidden = hide;
  if (hide)
    QApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
  else
    QApplication::restoreOverrideCursor();
}

int Screen::CursorCounter() {
  return g_cursorCounter;
}

void Screen::SetCursor(TCursor cursor) {
  if (cursor == g_screenCursor) return;
  if (g_screenCursor != TCursor::Default) QApplication::restoreOverrideCursor();
  g_screenCursor = cursor;
  if (cursor != TCursor::Default) QApplication::setOverrideCursor(ToQCursor(cursor));
}

TCursor Screen::Cursor() {
  return g_screenCursor;
}
