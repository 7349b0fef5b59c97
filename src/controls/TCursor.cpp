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
}

void Screen::SetCursor(TCursor cursor) {
  if (cursor == g_screenCursor) return;
  if (g_screenCursor != TCursor::Default) QApplication::restoreOverrideCursor();
  g_screenCursor = cursor;
  if (cursor != TCursor::Default) QApplication::setOverrideCursor(ToQCursor(cursor));
}

TCursor Screen::Cursor() { return g_screenCursor; }
