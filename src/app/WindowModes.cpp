#include "WindowModes.h"

#include "Forms.h"
#include "MainForm.h"
#include "PopupMainForm.h"
#include "WindowFrame.h"
#include "browse/FolderBrowser.h"
#include "controls/TCursor.h"
#include "view/ZoomControl.h"

WindowModes::WindowModes(TMainForm& form) : form_(form) {}

void WindowModes::FullScreenToggle() {
  TMainForm& f = form_;
  if (PopupMainForm) PopupMainForm->CloseMenu();
  if (!f.Commands.FullScreen.Checked()) {
    // The window system's full screen, not the maximise of the title bar: no room is left
    // for the desktop's panels.
    f.SetWindowState(TWindowState::Normal);
    f.Panel3->SetVisible(false);
    f.FlatSpinEdit->SetVisible(false);
    f.StatusBar->SetVisible(false);
    f.SetFullScreen();
    f.Frame->AnchorWindowButtons();
    if (f.Commands.ListPanel.Checked()) f.Browser->HideList();
    f.Commands.FullScreen.SetChecked(true);
  } else {
    f.SetWindowState(TWindowState::Normal);
    f.Panel3->SetVisible(true);
    f.FlatSpinEdit->SetVisible(true);
    f.StatusBar->SetVisible(true);
    f.Frame->AnchorWindowButtons();
    f.Frame->ShowRestoredLook();
    f.Commands.FullScreen.SetChecked(false);
  }
  f.Zoom->ReapplyFitMode();
}

void WindowModes::EnterMiniMode() {
  TMainForm& f = form_;
  // MenuOpen stays as it is.
  f.CloseMenu(WindowHost::Menu::View);
  for (TControl<QWidget>* part :
       {static_cast<TControl<QWidget>*>(f.Panel1), static_cast<TControl<QWidget>*>(f.Panel2),
        static_cast<TControl<QWidget>*>(f.Panel3), static_cast<TControl<QWidget>*>(f.StatusBar)})
    part->SetVisible(false);
  f.FlatSpinEdit->SetVisible(false);
  f.SetBounds(f.Left(), f.Top(), kMiniSize, kMiniSize);
  f.Commands.FitPicture.Run();
  if (!f.Commands.SlideShow.Checked()) f.Commands.SlideShow.Run();
  f.SetTopMost(true);
  f.Commands.MiniMode.SetChecked(true);
  f.State.PopupSuppressed = true;
}

void WindowModes::LeaveMiniMode() {
  TMainForm& f = form_;
  f.CloseMenu(WindowHost::Menu::View);
  // The list comes back as the list button shows it; the properties panel stays hidden.
  f.Panel1->SetVisible(true);
  f.Commands.ListPanel.SetChecked(true);
  f.StatusBar->SetVisible(true);
  f.FlatSpinEdit->SetVisible(true);
  f.Panel3->SetVisible(true);
  f.SetBounds(0, 0, kNormalWidth, kNormalHeight);
  f.State.PopupSuppressed = false;
  f.Commands.MiniMode.SetChecked(false);
  f.SetTopMost(false);
  f.Commands.FitPicture.Run();
}

void WindowModes::StartPictureShow() {
  TMainForm& f = form_;
  // Directly: the list button and the menu captions still say the list is shown.
  f.Panel1->SetVisible(false);
  f.Panel2->SetVisible(false);
  f.Image1->SetVisible(false);
  f.FlatSpinEdit->SetVisible(false);
  f.StatusBar->SetVisible(false);
  f.State.PopupSuppressed = true;
  if (!cursorHidden_) {
    Screen::ShowCursor(false);
    cursorHidden_ = true;
  }
  if (f.WindowState() == TWindowState::Normal) f.Frame->MaximizeOrRestore();
}

void WindowModes::EscapeKey() {
  TMainForm& f = form_;
  if (f.Commands.MiniMode.Checked()) {
    LeaveMiniMode();
  } else if (!f.StatusBar->Visible()) {
    // Ends the imported picture show (and the bars hidden by full screen).
    f.Image1->SetVisible(true);
    f.Image2->SetVisible(true);
    f.StatusBar->SetVisible(true);
    f.FlatSpinEdit->SetVisible(true);
    if (cursorHidden_) {
      Screen::ShowCursor(true);
      cursorHidden_ = false;
    }
    f.State.PopupSuppressed = false;
    f.Frame->MaximizeOrRestore();
  }
}
