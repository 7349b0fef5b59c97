#include "WindowFrame.h"

#include <QGuiApplication>
#include <QScreen>

#include "MainForm.h"
#include "WindowModes.h"
#include "view/ZoomControl.h"

WindowFrame::WindowFrame(TMainForm& form) : form_(form) {}

void WindowFrame::AnchorWindowButtons() {
  TMainForm& f = form_;
  // The header picture spans its panel; while an imported show hides it, the panel still
  // has the window's width, so the buttons stay in the corner.
  f.Image2->SetLeft(f.Image1->parentWidget()->width() - 64);
  f.sbtnMin->SetLeft(f.Image2->Left() + 7);
  f.sbtnMax->SetLeft(f.Image2->Left() + 24);
  f.sbtnClose->SetLeft(f.Image2->Left() + 41);
}

void WindowFrame::MaximizeOrRestore() {
  TMainForm& f = form_;
  if (f.WindowState() == TWindowState::Maximized) {
    f.CloseMenus(false);
    f.SetWindowState(TWindowState::Normal);
    ShowRestoredLook();
  } else {
    // What the desktop's panels take from the screen is the task bar; a maximised window
    // leaves its height free, wherever it sits.
    QScreen* screen = f.screen() ? f.screen() : QGuiApplication::primaryScreen();
    const int taskBar = screen->geometry().height() - screen->availableGeometry().height();
    f.SetWindowState(TWindowState::Maximized);
    if (taskBar > 0) f.SetHeight(f.Height() - taskBar);
    f.sbtnMax->SetHint(QStringLiteral("还原"));
    f.sbtnMax->SetGlyph(QStringLiteral(":/glyphs/restore.svg"));
  }
  RealignChildren(&f);
  f.Zoom->ReapplyFitMode();
  AnchorWindowButtons();
}

void WindowFrame::ShowRestoredLook() {
  form_.sbtnMax->SetHint(QStringLiteral("最大化"));
  form_.sbtnMax->SetGlyph(QStringLiteral(":/glyphs/max.svg"));
}

void WindowFrame::Minimize() {
  form_.SetWindowState(TWindowState::Minimized);
}

void WindowFrame::TitleMouseDown(Qt::MouseButton button, bool clearMenuOpen) {
  form_.CloseMenus(true);
  if (clearMenuOpen) form_.State.MenuOpen = false;
  if (button == Qt::LeftButton) StartDrag();
}

void WindowFrame::StartDrag() {
  form_.StartMove();
}

void WindowFrame::FollowDrag() {
  form_.FollowMove();
}

void WindowFrame::EndDrag() {
  form_.EndMove();
}

void WindowFrame::KeyDown(int key) {
  switch (key) {
    case 37:
      form_.Commands.PreviousPicture.Run();
      break;
    case 39:
      form_.Commands.NextPicture.Run();
      break;
    case 27:
      form_.Modes->EscapeKey();
      break;
    default:
      break;
  }
}

void WindowFrame::CloseQuery(bool& canClose) {
  // In mini mode a close request only brings the normal layout back.
  if (form_.Commands.MiniMode.Checked()) {
    form_.Modes->LeaveMiniMode();
    canClose = false;
  }
}
