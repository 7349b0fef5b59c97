#include "Forms.h"

#include <QtGlobal>

#include "AllForms.h"
#include "controls/Dialogs.h"

TMainForm* MainForm = nullptr;
TmenuFileForm* menuFileForm = nullptr;
TmenuEditForm* menuEditForm = nullptr;
TpopupShapeForm* popupShapeForm = nullptr;
TmenuViewForm* menuViewForm = nullptr;
TmenuZoomForm* menuZoomForm = nullptr;
TViewModeForm* ViewModeForm = nullptr;
TmenuToolForm* menuToolForm = nullptr;
TmenuHelpForm* menuHelpForm = nullptr;
TMusicPlayerForm* MusicPlayerForm = nullptr;
TAboutForm* AboutForm = nullptr;
TThanksForm* ThanksForm = nullptr;
TScreenSafeForm* ScreenSafeForm = nullptr;
TPopupMainForm* PopupMainForm = nullptr;
TGetIconForm* GetIconForm = nullptr;
TSpellPIcForm* SpellPIcForm = nullptr;
TDeskPicForm* DeskPicForm = nullptr;

// The help windows open modally, centred over the main window.
static void ShowOverMainForm(TForm* form) {
  form->CenterOn(MainForm);
  Dialogs::ShowModal(form);
}

static void InitResources() {
  // The pictures live in a static library; make sure its resources are registered.
  Q_INIT_RESOURCE(assets);
}

void CreateForms() {
  InitResources();
  // The other windows are owned by the main window, so they stay above it and follow it.
  MainForm = new TMainForm();
  QWidget* owner = MainForm;
  menuFileForm = new TmenuFileForm(owner);
  menuEditForm = new TmenuEditForm(owner);
  popupShapeForm = new TpopupShapeForm(owner);
  menuViewForm = new TmenuViewForm(owner);
  menuZoomForm = new TmenuZoomForm(owner);
  ViewModeForm = new TViewModeForm(owner, MainForm->Context());
  menuToolForm = new TmenuToolForm(owner);
  menuHelpForm = new TmenuHelpForm(owner);
  MusicPlayerForm = new TMusicPlayerForm(owner);
  // Not modal: the player stays open beside the viewer.
  MainForm->Commands.MusicPlayer.SetAction([] { MusicPlayerForm->Show(); });
  AboutForm = new TAboutForm(owner);
  ThanksForm = new TThanksForm(owner);
  MainForm->Commands.Thanks.SetAction([] { ShowOverMainForm(ThanksForm); });
  MainForm->Commands.About.SetAction([] { ShowOverMainForm(AboutForm); });
  ScreenSafeForm = new TScreenSafeForm(
      owner, MainForm->Context(),
      ShowSources{*ViewModeForm->Modes, *MainForm->FlatSpinEdit, *MainForm->Slides,
                  *MusicPlayerForm->Player, *MainForm->Browser});
  MainForm->Commands.ExportScreenSaver.SetAction([] { ScreenSafeForm->ShowSettings(); });
  MainForm->Commands.ImportScreenSaver.SetAction([] { ScreenSafeForm->ImportShow(); });
  PopupMainForm = new TPopupMainForm(owner);
  GetIconForm = new TGetIconForm(owner);
  MainForm->Commands.ExtractIcon.SetAction([] { GetIconForm->ShowDialog(); });
  // The puzzle stands in for the main window while that is hidden: a window of its own.
  SpellPIcForm = new TSpellPIcForm(MainForm->Context());
  MainForm->Commands.Puzzle.SetAction([] { SpellPIcForm->OpenGame(); });
  DeskPicForm = new TDeskPicForm(owner, MainForm->State, *MainForm->ListView1);
  MainForm->Commands.ChangingDesktop.SetAction([] { DeskPicForm->ShowDialog(); });
}

void DestroyForms() {
  // Children of the main window go with it; clear every reference in reverse order.
  DeskPicForm = nullptr;
  delete SpellPIcForm;  // not a child: it has no owner
  SpellPIcForm = nullptr;
  GetIconForm = nullptr;
  PopupMainForm = nullptr;
  ScreenSafeForm = nullptr;
  ThanksForm = nullptr;
  AboutForm = nullptr;
  MusicPlayerForm = nullptr;
  menuHelpForm = nullptr;
  menuToolForm = nullptr;
  ViewModeForm = nullptr;
  menuZoomForm = nullptr;
  menuViewForm = nullptr;
  popupShapeForm = nullptr;
  menuEditForm = nullptr;
  menuFileForm = nullptr;
  delete MainForm;
  MainForm = nullptr;
}
