#pragma once
// The main window: its own title bar, menu bar and tool bar at the top, the folder and
// file lists on the left, the picture area in the middle, the properties panel on the
// right and the status bar at the bottom. It owns the state of the current picture,
// which the other windows read and write directly.
//
// The operations are defined in the file of the subsystem they belong to:
//   app/MainForm.cpp         layout, create handler, title bar, keys, close
//   app/FullScreen.cpp       full screen and mini mode
//   browse/FolderScan.cpp    folder scan, file and thumbnail lists, list panel
//   browse/Loading.cpp       load from list, open command, the loaders
//   browse/FileInfo.cpp      file information panel
//   browse/Navigation.cpp    previous/next, list editing, close picture
//   view/Zoom.cpp            zoom steps and fit modes
//   view/MouseMagnifier.cpp  mouse tracking, drag-scroll, magnifier
//   view/Selection.cpp       region selection
//   edit/RotateFlip.cpp      quarter turn and mirrors
//   edit/ToneFilters.cpp     brighter, darker, restore, negative, emboss, black-and-white
//   edit/ResizeCrop.cpp      resize and crop panel
//   edit/Saving.cpp          save as, save this size, save selection, icons
//   edit/ClipboardEdit.cpp   cut, copy, paste
//   show/SlideShow.cpp       slide show
#include <QFileInfo>
#include <QString>
#include <array>

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
#include "picture/Bitmap.h"
#include "picture/Icon.h"
#include "picture/ImageList.h"
#include "picture/TRect.h"

class ThumbnailBuilder;
class TLabelMenuForm;

class TMainForm : public TForm {
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

  // ---- State ------------------------------------------------------------------------
  QString CurFileName;  // name of the current picture as the list shows it
  QString CurFolder;    // its folder, always ending in "/"
  QString CurExt;       // lower-case extension with its dot
  int CurIndex = 0;     // 1-based position in ListView1, 0 = none
  Bitmap WorkBitmap;    // reference copy of the shown picture
  int PicWidth = 0, PicHeight = 0;
  int ZoomIndex = 0;
  bool MagnifierOn = false;
  bool PicIsBitmap = false;
  bool ScanEnabled = false;
  bool MenuOpen = false;
  bool DragScrolling = false, SelectionDrawing = false, SelectionMoving = false;
  int DownX = 0, DownY = 0;
  int ShapeDownX = 0, ShapeDownY = 0;

  // Zoom steps in percent, indexed from 1 (12 = 100 %).
  static constexpr std::array<int, 24> ZoomPercents = {0,   2,   3,   5,   7,   10,   20,   30,
                                                       50,  70,  80,  90,  100, 110,  120,  130,
                                                       150, 200, 300, 400, 500, 1000, 2000, 5000};

  // ---- Mode tests -------------------------------------------------------------------
  bool SelectionModeOn() const { return !sbtnSelect->Flat(); }
  bool MiniModeOn() const;    // the View menu's mini item reads "取消迷你(&X)"
  bool FullScreenOn() const;  // the picture menu's full-screen item reads "退出全屏(&F)"
  bool PictureShown() const { return imgMain->Visible(); }
  bool GifCurrent() const { return CurExt == QLatin1String(".gif"); }
  bool JpegCurrent() const {
    return CurExt == QLatin1String(".jpg") || CurExt == QLatin1String(".jpeg");
  }

  // ---- Application frame (app/MainForm.cpp) -----------------------------------------
  void FormCreate();
  void ReapplyFitMode();
  void sbtnMaxClick();
  void sbtnMinClick();
  void sbtnCloseClick();
  void Image1MouseDown(Qt::MouseButton button, int x, int y);
  void lblTitleMouseDown(Qt::MouseButton button, int x, int y);
  void Image1DblClick();
  void FormKeyDown(int key);
  void FormCloseQuery(bool& canClose);
  void FormClose();
  void Splitter1Moved();
  // Image2 and the three window buttons back at the right edge.
  void AnchorWindowButtons();
  // Hides the six drop-down menus and the two right-click menus (and, with
  // withChooser, the view-mode chooser).
  void CloseMenus(bool withChooser);

  // ---- Menu bar (app/MainForm.cpp) ---------------------------------------------------
  // k = 0..5: File, Edit, View, Zoom, Tools, Help.
  void MenuBarClick(int k);
  void MenuBarMouseMove(int k);
  void OpenDropDownMenu(int k);
  TLabelMenuForm* DropDownMenu(int k) const;
  // Screen places of the right-click menus for a press at (x, y) on imgMain or shpRect.
  QPoint PictureMenuPlace(int x, int y) const;
  QPoint SelectionMenuPlace(int x, int y) const;

  // ---- Full screen and mini mode (app/FullScreen.cpp) --------------------------------
  void FullScreenToggle();
  void EnterMiniMode();
  void LeaveMiniMode();
  void scrboxBackMouseDown(Qt::MouseButton button, int x, int y);

  // ---- Folder scan and lists (browse/FolderScan.cpp) ---------------------------------
  void ShellTreeViewChange();
  void AddMatchingFiles(const QString& pattern);
  void BuildThumbnails();
  void ListView1SelectItem(int index, bool selected);
  void imgListViewSelectItem(int index, bool selected);
  void imgListViewDblClick();
  void ListView1Click();
  void imgListViewClick();
  void sbtnListClick();
  void SpeedButton2Click();
  void HideList();
  void ShowList();
  // The seven patterns, in the order they are listed.
  static const QStringList& FilePatterns();

  // ---- Loading (browse/Loading.cpp) -------------------------------------------------
  void ListView1DblClick();  // load from list
  void OpenCommand();        // the File menu's open item and sbtnOpen
  void sbtnOpenClick();
  void LoadJpeg(const QString& path);
  void LoadBmp(const QString& path);
  void LoadIco(const QString& path);
  void ShowGif(const QString& path);  // GIF display, or hide the GIF panel for other kinds
  void PlayTransition();              // the effect of the checked view mode
  static void ShowPictureError();     // "图象文件错误!"
  void SetUpOpenPictureDialog();      // filter list and options, once at creation
  void LoadListItem(int index);       // the load from list for item index
  // The loader CurExt names (GIF display, JPEG, BMP or ICO) for path.
  void RunLoaders(const QString& path, bool fromList);
  void ReplaceWindowIcon(const QString& icoPath);
  void TakePictureSize();  // PicWidth x PicHeight from imgMain, 0 x 0 for a GIF
  void ShowResolution();   // lblSize and status panel 3
  void SelectThumbnailsOf(const QString& name);

  // ---- File information (browse/FileInfo.cpp) ----------------------------------------
  void ShowFileInformation(const QFileInfo& file);
  void ShowAttributes(const QString& path);
  void TogglePropertiesPanel();
  void fbtnPicPropertyClick();

  // ---- Navigation and list editing (browse/Navigation.cpp) ---------------------------
  void sbtnPriorClick();
  void sbtnNextClick();
  void sbtnListUpClick();
  void sbtnListDownClick();
  void sbtnListDelClick();
  void ClosePicture();
  void ExitProgram();
  static void SwapListItems(TListView* list, int a, int b);  // captions only
  void SwapThumbnailImages(int first);

  // ---- Zoom and fit (view/Zoom.cpp) -------------------------------------------------
  void sbtnZoomInClick();
  void sbtnZoomOutClick();
  void sbtnRealClick();
  void sbtnFitPicClick();
  void sbtnFitWidthClick();
  void sbtnFitHeightClick();
  void CenterPicture();
  void ShowDisplaySize();
  void SetZoomText(int percent);
  // Magnifier off without touching ZoomIndex (fits, edits).
  void TurnMagnifierOff();

  // ---- Mouse and magnifier (view/MouseMagnifier.cpp) ---------------------------------
  void imgMainMouseDown(Qt::MouseButton button, int x, int y);
  void imgMainMouseMove(int x, int y);
  void imgMainMouseUp(Qt::MouseButton button, int x, int y);
  void imgMainClick();
  void sbtnZoomClick();
  void RebuildLens(int percent);
  // The lens image holding the displayed picture at its own size.
  void ShowLensAt100();

  // ---- Selection (view/Selection.cpp) -----------------------------------------------
  void sbtnSelectClick();
  void shpRectMouseDown(Qt::MouseButton button, int x, int y);
  void shpRectMouseMove(int x, int y);
  void shpRectMouseUp(Qt::MouseButton button, int x, int y);
  // Drawing the rectangle, from the picture's mouse handlers in selection mode.
  void StartSelectionDrawing(int x, int y);
  void ResizeSelectionDrawing(int x, int y);
  void FinishSelectionDrawing();
  // The selected region in picture pixels.
  TRect SelectionRect() const;
  // The same, clipped to the picture; empty while no rectangle is shown.
  TRect ClippedSelectionRect() const;

  // ---- Rotate and flip (edit/RotateFlip.cpp) -----------------------------------------
  void sbtnNinetyTurnClick();
  void sbtnLRTurnClick();
  void sbtnUDTurnClick();
  void EnsureBitmap();

  // ---- Tone filters (edit/ToneFilters.cpp) -------------------------------------------
  void sbtnBrightClick();
  void sbtnDarkClick();
  void sbtnRestoreBDClick();
  void NegativeCommand();
  void EmbossCommand();
  void BlackWhiteCommand();

  // ---- Saving (edit/Saving.cpp) ------------------------------------------------------
  void SaveAsCommand();
  void sbtnSaveClick();
  void sbtnSaveNewClick();
  void SaveSelectionCommand();
  void SaveAsIcon(const QString& fileName);
  void SetUpSavePictureDialog();  // filter list and options, once at creation

  // ---- Clipboard (edit/ClipboardEdit.cpp) ---------------------------------------------
  void CutCommand();
  void CopyCommand();
  void PasteCommand();

  // ---- Slide show (show/SlideShow.cpp) ------------------------------------------------
  void sbtnAutoClick();
  void AutoPlayTimerTimer();

 private:
  void CreateTitleBar();
  void CreateToolBar();
  void CreateListPanel();
  void CreatePropertiesPanel();
  void CreatePictureArea();
  void CreateStatusBar();
  void WireHandlers();
  void StartWindowDrag();
  void DragWindowMove();

  bool windowDrag_ = false;
  QPoint dragStartCursor_, dragStartWindow_;

  // Folder scan (browse/FolderScan.cpp). The message loop runs inside a scan, so a
  // nested scan or list fill may start; the counters tell the outer one it was superseded.
  class ScanGuard;
  ThumbnailBuilder* thumbnails_ = nullptr;  // made on the first build, a child of the window
  int scanDepth_ = 0;                       // scans in progress (the tree is disabled)
  quint64 scanCount_ = 0;                   // scans started
  quint64 listFills_ = 0;                   // AddMatchingFiles calls started
  bool mirroring_ = false;                  // one list is following the other's selection
};
