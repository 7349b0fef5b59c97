#pragma once
// The main window: its own title bar, menu bar and tool bar at the top, the folder and
// file lists on the left, the picture area in the middle, the properties panel on the
// right and the status bar at the bottom.
//
// The window holds the controls, their layout and the handlers' names; each handler
// forwards to the owner of its subsystem, which keeps the state and the rules:
//   app/WindowFrame           title bar, maximise, dragging the window, keys, close
//   app/MenuBar               the menu bar and the placing of every label menu
//   app/WindowModes           full screen and mini mode
//   browse/FolderBrowser      folder scan, file and thumbnail lists, list editing, panel
//   browse/PictureLoader      load from list, open command, previous/next, close picture
//   browse/FileInfoPanel      file information panel
//   browse/PathOpener         a path from the command line, items dropped on the window
//   view/ZoomControl          zoom steps and fit modes
//   view/Magnifier            the magnifier lens
//   view/PictureMouse         the mouse over the picture
//   view/SelectionTool        region selection
//   edit/PictureEditor        quarter turn, mirrors, tone filters
//   edit/SaveCommands         save as, save this size, save selection, icons
//   edit/ClipboardCommands    cut, copy, paste
//   edit/ResizeCrop           the size tab: resize the display, crop the picture
//   print/PicturePrinter      printing through the print preview
//   show/SlideShow            slide show
//   tools/DesktopCommands     screen capture, set as wallpaper
// (the view modes and the transition effects are the chooser's: show/ViewModeForm)
// The state they share is State; the controls of the picture are reached through Area;
// every user command is one object in Commands.
#include <memory>

#include "controls/TButton.h"
#include "controls/TCheckBox.h"
#include "controls/TEdit.h"
#include "controls/TForm.h"
#include "controls/TGifBrowser.h"
#include "controls/TGroupBox.h"
#include "controls/TImage.h"
#include "controls/TLabel.h"
#include "controls/TListView.h"
#include "controls/TPageControl.h"
#include "controls/TPanel.h"
#include "controls/TPictureDialog.h"
#include "controls/TRadioButton.h"
#include "controls/TScrollBox.h"
#include "controls/TShape.h"
#include "controls/TShellTreeView.h"
#include "controls/TSpeedButton.h"
#include "controls/TSpinEdit.h"
#include "controls/TSplitter.h"
#include "controls/TStatusBar.h"
#include "controls/TTimer.h"
#include "core/PictureArea.h"
#include "core/UserCommands.h"
#include "core/ViewerContext.h"
#include "core/ViewerState.h"
#include "core/WindowHost.h"
#include "picture/ImageList.h"

class ClipboardCommands;
class DesktopCommands;
class FileInfoPanel;
class FolderBrowser;
class Magnifier;
class MenuBar;
class PictureEditor;
class PathOpener;
class PictureLoader;
class PictureMouse;
class PicturePrinter;
class ResizeCrop;
class SaveCommands;
class SelectionTool;
class SlideShow;
class WindowFrame;
class WindowModes;
class ZoomControl;

class TMainForm : public TForm, public WindowHost {
 public:
  TMainForm();
  ~TMainForm() override;

  // ---- Controls ---------------------------------------------------------------------
  // Title bar, menu bar and tool bar.
  TPanel* Panel3;
  TImage* Image1;  // header picture: drag the window, double click maximises
  TLabel* lblTitle;
  TImage* Image5;  // program icon
  TImage* Image4;  // decorative icon
  TImage* Image2;  // background of the window buttons
  TSpeedButton *sbtnMin, *sbtnMax, *sbtnClose;
  TSpeedButton *FlatSpeedButton1, *FlatSpeedButton2, *FlatSpeedButton3, *FlatSpeedButton4,
      *FlatSpeedButton5, *FlatSpeedButton6;
  TSpeedButton *sbtnOpen, *sbtnSave, *sbtnSaveNew, *sbtnPrior, *sbtnNext, *sbtnAuto, *sbtnZoomIn,
      *sbtnZoomOut, *sbtnZoom, *sbtnReal, *sbtnFitPic, *sbtnFitWidth, *sbtnFitHeight,
      *sbtnNinetyTurn, *sbtnLRTurn, *sbtnUDTurn, *sbtnBright, *sbtnDark, *sbtnRestoreBD,
      *sbtnSelect, *sbtnList;
  TSpinEdit* FlatSpinEdit;  // slide-show interval
  TPanel *Shape1, *Shape2, *Shape3, *Shape4, *Shape5, *Shape6, *Shape7;

  // Folder tree and file lists.
  TPanel* Panel1;
  TImage* Image3;  // header strip of the list panel
  TSpeedButton *SpeedButton2, *sbtnListUp, *sbtnListDown, *sbtnListDel;
  TCheckBox* fcbUseSmallImg;
  TShellTreeView* ShellTreeView;
  TSplitter* Splitter2;
  TPageControl* PageControl2;
  QWidget *TabSheet1, *TabSheet2;
  TListView* ListView1;    // names
  TListView* imgListView;  // thumbnails
  TSplitter* Splitter1;

  // Properties panel.
  TPanel* Panel2;
  TPageControl* PageControl1;
  QWidget *tbsProperty, *tbsControl;
  TLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8;
  TEdit *fedFileName, *fedFilePath;
  TLabel *lblFileSize, *lblCreateTime, *lblWriteTime, *lblAccessTime, *lblSize;
  TCheckBox *fcbReadOnly, *fcbHidden, *fcbArchive;
  TButton* fbtnPicProperty;
  // The size tab.
  TGroupBox* FlatGroupBox1;  // "大小", holding the other three
  TRadioButton *frbClip, *frbZoom;
  TGroupBox *FlatGroupBox2, *FlatGroupBox3, *FlatGroupBox4;  // "宽", "高", "其他"
  TRadioButton *frbLeft, *frbRight, *frbTop, *frbBottom, *frbAround;
  TLabel *Label9, *Label10;   // "宽度:", "高度:"
  TLabel *Label11, *Label12;  // "像素" after each field
  TEdit *fedtWidth, *fedtHeight;
  TButton* fbtnUseSize;

  // Picture area.
  TScrollBox* scrboxBack;
  TImage* imgMain;
  TShape* shpRect;
  TScrollBox* scrboxMagnifier;
  TImage* imgMagnifier;
  TPanel* pnlGifBack;
  TGifBrowser* GifBrowser;

  TStatusBar* StatusBar;

  // Non-visual components.
  TPictureDialog* OpenPictureDialog;
  TPictureDialog* SavePictureDialog;
  TTimer* AutoPlayTimer;
  ::ImageList ImageList{80, 80};

  // ---- Shared state, the picture area and the commands ------------------------------
  ViewerState State;
  PictureArea Area;
  UserCommands Commands;
  ViewerContext Context() { return {State, Area, Commands, *this}; }

  // ---- Owners ---------------------------------------------------------------------------
  std::unique_ptr<WindowFrame> Frame;
  std::unique_ptr<MenuBar> Menus;
  std::unique_ptr<WindowModes> Modes;
  std::unique_ptr<Magnifier> Lens;
  std::unique_ptr<ZoomControl> Zoom;
  std::unique_ptr<SelectionTool> Selection;
  std::unique_ptr<PictureMouse> Mouse;
  std::unique_ptr<FileInfoPanel> FileInfo;
  std::unique_ptr<FolderBrowser> Browser;
  std::unique_ptr<PictureLoader> Loader;
  std::unique_ptr<PathOpener> Opener;
  std::unique_ptr<PictureEditor> Editor;
  std::unique_ptr<SaveCommands> Saver;
  std::unique_ptr<ClipboardCommands> ClipboardEdit;
  std::unique_ptr<ResizeCrop> Sizer;
  std::unique_ptr<PicturePrinter> Printer;
  std::unique_ptr<SlideShow> Slides;
  std::unique_ptr<DesktopCommands> Desktop;

  // ---- Handlers -----------------------------------------------------------------------
  void FormCreate();
  void FormKeyDown(int key);
  void FormCloseQuery(bool& canClose);
  void FormClose();
  void sbtnMaxClick();
  void sbtnMinClick();
  void sbtnCloseClick();
  void Image1MouseDown(Qt::MouseButton button, int x, int y);
  void lblTitleMouseDown(Qt::MouseButton button, int x, int y);
  void Image1DblClick();
  void Splitter1Moved();

  void ShellTreeViewChange();
  void ListView1SelectItem(int index, bool selected);
  void imgListViewSelectItem(int index, bool selected);
  void ListView1Click();
  void imgListViewClick();
  void ListView1DblClick();
  void imgListViewDblClick();
  void sbtnListClick();
  void SpeedButton2Click();
  void sbtnListUpClick();
  void sbtnListDownClick();
  void sbtnListDelClick();
  void sbtnOpenClick();
  void sbtnPriorClick();
  void sbtnNextClick();
  void fbtnPicPropertyClick();
  // A path or file URI from the command line, relative to workingFolder.
  void OpenArgument(const QString& argument, const QString& workingFolder);

  void sbtnZoomInClick();
  void sbtnZoomOutClick();
  void sbtnRealClick();
  void sbtnFitPicClick();
  void sbtnFitWidthClick();
  void sbtnFitHeightClick();
  void sbtnZoomClick();
  void sbtnSelectClick();
  void imgMainMouseDown(Qt::MouseButton button, int x, int y);
  void imgMainMouseMove(int x, int y);
  void imgMainMouseUp(Qt::MouseButton button, int x, int y);
  void imgMainClick();
  void shpRectMouseDown(Qt::MouseButton button, int x, int y);
  void shpRectMouseMove(int x, int y);
  void shpRectMouseUp(Qt::MouseButton button, int x, int y);
  void scrboxBackMouseDown(Qt::MouseButton button, int x, int y);
  void scrboxBackMouseMove(int x, int y);
  void scrboxBackMouseUp(Qt::MouseButton button, int x, int y);

  void sbtnNinetyTurnClick();
  void sbtnLRTurnClick();
  void sbtnUDTurnClick();
  void sbtnBrightClick();
  void sbtnDarkClick();
  void sbtnRestoreBDClick();
  void sbtnSaveClick();
  void sbtnSaveNewClick();
  void fbtnUseSizeClick();
  void frbClipClick();
  void frbZoomClick();
  void frbAroundClick();
  void frbLeftClick();
  void frbRightClick();
  void frbTopClick();
  void frbBottomClick();

  void sbtnAutoClick();
  void AutoPlayTimerTimer();
  void FlatSpinEditChange();

  // ---- WindowHost -----------------------------------------------------------------------
  void CloseMenus(bool withChooser) override;
  void CloseMenu(Menu menu) override;
  void PopupPictureMenu(int x, int y) override;
  void PopupSelectionMenu(int x, int y) override;
  void StartWindowDrag() override;
  void FollowWindowDrag() override;
  void EndWindowDrag() override;
  void LeaveMiniMode() override;
  void StartPictureShow() override;
  void SetWindowIcon(const QIcon& icon) override;
  void RepaintNow() override;
  void PlayLoadEffect() override;
  void SetMainWindowVisible(bool visible) override;
  QRect MainWindowBounds() const override;

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void CreateTitleBar();
  void CreateToolBar();
  void CreateListPanel();
  void CreatePropertiesPanel();
  void CreateSizePanel();
  void CreatePictureArea();
  void CreateStatusBar();
  void CreateOwners();
  void SetCommandActions();
  void WireHandlers();
};
