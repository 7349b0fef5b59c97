#pragma once
// One instance per window class, reachable from everywhere. CreateForms makes all
// seventeen in their fixed order (the main window first, its create handler running as
// it is built); DestroyForms removes them in reverse order.
class TMainForm;
class TmenuFileForm;
class TmenuEditForm;
class TpopupShapeForm;
class TmenuViewForm;
class TmenuZoomForm;
class TViewModeForm;
class TmenuToolForm;
class TmenuHelpForm;
class TMusicPlayerForm;
class TAboutForm;
class TThanksForm;
class TScreenSafeForm;
class TPopupMainForm;
class TGetIconForm;
class TSpellPIcForm;
class TDeskPicForm;

extern TMainForm* MainForm;
extern TmenuFileForm* menuFileForm;
extern TmenuEditForm* menuEditForm;
extern TpopupShapeForm* popupShapeForm;
extern TmenuViewForm* menuViewForm;
extern TmenuZoomForm* menuZoomForm;
extern TViewModeForm* ViewModeForm;
extern TmenuToolForm* menuToolForm;
extern TmenuHelpForm* menuHelpForm;
extern TMusicPlayerForm* MusicPlayerForm;
extern TAboutForm* AboutForm;
extern TThanksForm* ThanksForm;
extern TScreenSafeForm* ScreenSafeForm;
extern TPopupMainForm* PopupMainForm;
extern TGetIconForm* GetIconForm;
extern TSpellPIcForm* SpellPIcForm;
extern TDeskPicForm* DeskPicForm;

void CreateForms();
void DestroyForms();
