#include "MainForm.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTimer>

#include "Forms.h"
#include "MenuBar.h"
#include "PopupMainForm.h"
#include "WindowFrame.h"
#include "WindowModes.h"
#include "browse/FileInfoPanel.h"
#include "browse/FolderBrowser.h"
#include "browse/PathOpener.h"
#include "browse/PictureLoader.h"
#include "controls/SvgImage.h"
#include "controls/TApplication.h"
#include "core/CommandBinding.h"
#include "edit/ClipboardCommands.h"
#include "edit/PictureEditor.h"
#include "edit/ResizeCrop.h"
#include "edit/SaveCommands.h"
#include "picture/Icon.h"
#include "popupShapeForm.h"
#include "print/PicturePrinter.h"
#include "show/SlideShow.h"
#include "show/ViewModeForm.h"
#include "tools/DesktopCommands.h"
#include "view/Magnifier.h"
#include "view/PictureMouse.h"
#include "view/SelectionTool.h"
#include "view/ZoomControl.h"

namespace {
const QString kCaption = QStringLiteral("Picora图片浏览器");
constexpr TColor kTitleColor = RGBColor(0x17, 0x32, 0x4A);
constexpr TColor kMenuBarColor = RGBColor(0x1E, 0x3A, 0x52);

TImage* SvgPicture(QWidget* parent, const QString& resource, int x, int y, int w, int h) {
  auto* image = new TImage(parent);
  image->SetBounds(x, y, w, h);
  image->SetStretch(true);
  image->GetPicture().Assign(Icon(RenderSvg(resource, QSize(w, h))));
  return image;
}

TSpeedButton* Button(QWidget* parent, int x, int y, int w, int h, const QString& glyph,
                     const QString& hint) {
  auto* b = new TSpeedButton(parent);
  b->SetBounds(x, y, w, h);
  if (!glyph.isEmpty()) b->SetGlyph(QStringLiteral(":/glyphs/%1.svg").arg(glyph));
  b->SetHint(hint);
  return b;
}

TLabel* MakeLabel(QWidget* parent, int x, int y, const QString& text, TColor color) {
  auto* label = new TLabel(parent, text);
  label->move(x, y);
  label->SetTransparent(true);
  label->SetFontColor(color);
  return label;
}
}  // namespace

TMainForm::TMainForm() : TForm(nullptr, TForm::Kind::Main, true) {
  setObjectName(QStringLiteral("MainForm"));
  SetCaption(kCaption);
  SetColor(Colors::White);
  SetClientSize(825, 619);
  setWindowIcon(QIcon(QStringLiteral(":/skin/picora.svg")));
  setMinimumSize(1, 1);
  setAcceptDrops(true);

  // Creation order is stacking order: the top panel and status bar first, then the list
  // panel and its splitter, the properties panel, and the picture area in what is left.
  CreateTitleBar();
  CreateToolBar();
  CreateStatusBar();
  CreateListPanel();
  CreatePropertiesPanel();
  CreatePictureArea();
  OpenPictureDialog = new TPictureDialog(this, TPictureDialog::Mode::Open);
  SavePictureDialog = new TPictureDialog(this, TPictureDialog::Mode::Save);
  AutoPlayTimer = new TTimer(this, 5000);

  CreateOwners();
  SetCommandActions();
  WireHandlers();
  FormCreate();
  CenterOnScreen();
}

TMainForm::~TMainForm() {
  // The thumbnail view draws from ImageList, which goes before the child widgets do.
  imgListView->SetLargeImages(nullptr);
  // A build still running must stop before the lists it fills go.
  Browser.reset();
  // The dialogs are no widgets of the window: they go with it by hand.
  delete OpenPictureDialog;
  delete SavePictureDialog;
}

void TMainForm::CreateTitleBar() {
  Panel3 = new TPanel(this, TAlign::Top);
  Panel3->SetHeight(94);
  Panel3->SetColor(Colors::White);

  Image1 = new TImage(Panel3);
  Image1->SetStretch(true);
  Image1->SetHeight(95);
  Image1->SetAlign(TAlign::Top);
  Image1->GetPicture().Assign(
      Bitmap(RenderSvg(QStringLiteral(":/skin/header.svg"), QSize(825, 95))));

  Image5 = SvgPicture(Panel3, QStringLiteral(":/skin/picora.svg"), 5, 4, 16, 16);
  Image5->SetHint(kCaption);
  lblTitle = MakeLabel(
      Panel3, 24, 5, kCaption + QStringLiteral("  Version 2.5   作者：Picora 开发组"), kTitleColor);
  Image4 = SvgPicture(Panel3, QStringLiteral(":/skin/deco.svg"), 789, 24, 32, 32);
  Image2 = SvgPicture(Panel3, QStringLiteral(":/skin/winbuttons.svg"), 762, 0, 60, 25);
  sbtnMin = Button(Panel3, 769, 0, 17, 19, QStringLiteral("min"), QStringLiteral("最小化"));
  sbtnMax = Button(Panel3, 786, 0, 17, 19, QStringLiteral("max"), QStringLiteral("最大化"));
  sbtnClose = Button(Panel3, 803, 0, 17, 19, QStringLiteral("close"), QStringLiteral("关闭"));

  const QString menuCaptions[] = {QStringLiteral("文件(&F)"), QStringLiteral("编辑(&E)"),
                                  QStringLiteral("查看(&V)"), QStringLiteral("缩放(&Z)"),
                                  QStringLiteral("工具(&T)"), QStringLiteral("帮助(&H)")};
  TSpeedButton** menuButtons[] = {&FlatSpeedButton1, &FlatSpeedButton2, &FlatSpeedButton3,
                                  &FlatSpeedButton4, &FlatSpeedButton5, &FlatSpeedButton6};
  const int menuX[] = {2, 58, 114, 170, 226, 282};
  for (int i = 0; i < 6; ++i) {
    auto* b = Button(Panel3, menuX[i], 28, 57, 25, QString(), QString());
    b->SetCaption(menuCaptions[i]);
    b->SetFontColor(kMenuBarColor);
    b->setMouseTracking(true);
    *menuButtons[i] = b;
  }
}

void TMainForm::CreateToolBar() {
  struct Tool {
    TSpeedButton** button;
    int x;
    const char* glyph;
    const char* hint;
  };
  const Tool tools[] = {
      {&sbtnOpen, 6, "open", "打开"},
      {&sbtnSave, 41, "save", "另存为"},
      {&sbtnSaveNew, 77, "savenew", "保存此大小"},
      {&sbtnPrior, 116, "prior", "上一幅"},
      {&sbtnNext, 151, "next", "下一幅"},
      {&sbtnAuto, 186, "auto", "自动播放"},
      {&sbtnZoomIn, 275, "zoomin", "放大"},
      {&sbtnZoomOut, 310, "zoomout", "缩小"},
      {&sbtnZoom, 345, "zoom", "放大镜"},
      {&sbtnReal, 385, "real", "实际大小"},
      {&sbtnFitPic, 420, "fitpic", "适合图像"},
      {&sbtnFitWidth, 456, "fitwidth", "适合宽度"},
      {&sbtnFitHeight, 491, "fitheight", "适合高度"},
      {&sbtnNinetyTurn, 531, "ninetyturn", "旋转90度"},
      {&sbtnLRTurn, 566, "lrturn", "左右翻转"},
      {&sbtnUDTurn, 601, "udturn", "上下翻转"},
      {&sbtnBright, 640, "bright", "增加亮度"},
      {&sbtnDark, 676, "dark", "减少亮度"},
      {&sbtnRestoreBD, 712, "restorebd", "恢复亮度"},
      {&sbtnSelect, 749, "select", "选择区域"},
      {&sbtnList, 789, "list", "隐藏列表"},
  };
  for (const Tool& t : tools)
    *t.button =
        Button(Panel3, t.x, 57, 35, 35, QString::fromUtf8(t.glyph), QString::fromUtf8(t.hint));

  FlatSpinEdit = new TSpinEdit(Panel3);
  FlatSpinEdit->SetBounds(220, 65, 49, 20);
  FlatSpinEdit->SetMinMax(1, 60);
  FlatSpinEdit->SetValue(8);
  FlatSpinEdit->SetHint(QStringLiteral("播放间隔"));
  FlatSpinEdit->SetEnabled(false);

  TPanel** shapes[] = {&Shape1, &Shape2, &Shape3, &Shape4, &Shape5, &Shape6, &Shape7};
  const int shapeX[] = {113, 271, 381, 527, 637, 747, 785};
  for (int i = 0; i < 7; ++i) {
    auto* s = new TPanel(Panel3);
    s->SetBounds(shapeX[i], 60, 2, 29);
    s->SetColor(Colors::Navy);
    *shapes[i] = s;
  }
}

void TMainForm::CreateStatusBar() {
  StatusBar = new TStatusBar(this);
  StatusBar->SetHeight(19);
  StatusBar->SetAlign(TAlign::Bottom);
  StatusBar->SetColor(Colors::Cream);
  const int widths[] = {50, 120, 100, 80, 180, 90, 50};
  for (int i = 0; i < 7; ++i) StatusBar->AddPanel(widths[i], PictureArea::InitialStatusText(i));
}

void TMainForm::CreateListPanel() {
  Panel1 = new TPanel(this);
  Panel1->SetWidth(220);
  Panel1->SetAlign(TAlign::Left);
  Panel1->SetColor(Colors::White);

  Image3 = new TImage(Panel1);
  Image3->SetStretch(true);
  Image3->SetHeight(24);
  Image3->SetAlign(TAlign::Top);
  Image3->GetPicture().Assign(
      Bitmap(RenderSvg(QStringLiteral(":/skin/listheader.svg"), QSize(220, 24))));
  SpeedButton2 =
      Button(Panel1, -1, 2, 23, 22, QStringLiteral("hidelist"), QStringLiteral("隐藏列表"));
  sbtnListUp = Button(Panel1, 23, 2, 23, 22, QStringLiteral("listup"), QStringLiteral("向上"));
  sbtnListDown = Button(Panel1, 47, 2, 23, 22, QStringLiteral("listdown"), QStringLiteral("向下"));
  sbtnListDel = Button(Panel1, 71, 2, 23, 22, QStringLiteral("listdel"), QStringLiteral("删除"));
  fcbUseSmallImg = new TCheckBox(Panel1, QStringLiteral("使用缩略图"));
  fcbUseSmallImg->SetBounds(112, 5, 100, 17);
  fcbUseSmallImg->SetChecked(true);
  QPalette text = fcbUseSmallImg->palette();
  text.setColor(QPalette::WindowText, QColor(0x1B, 0x2F, 0x3F));
  fcbUseSmallImg->setPalette(text);

  ShellTreeView = new TShellTreeView(Panel1);
  ShellTreeView->SetHeight(144);
  ShellTreeView->SetAlign(TAlign::Top);
  Splitter2 = new TSplitter(Panel1, TAlign::Top, 2);
  Splitter2->SetMinSize(90);

  PageControl2 = new TPageControl(Panel1);
  PageControl2->SetAlign(TAlign::Client);
  TabSheet1 = PageControl2->AddPage(QStringLiteral("列表"));
  TabSheet2 = PageControl2->AddPage(QStringLiteral("缩略图"));
  ListView1 = new TListView(TabSheet1, TListView::ViewStyle::Report);
  ListView1->SetAlign(TAlign::Client);
  ListView1->SetFontColor(Colors::Green);
  ListView1->SetGridLines(true);
  imgListView = new TListView(TabSheet2, TListView::ViewStyle::Icon);
  imgListView->SetAlign(TAlign::Client);
  imgListView->SetLargeImages(&ImageList);
  PageControl2->SetActivePageIndex(1);

  Splitter1 = new TSplitter(this, TAlign::Left, 2);
  Splitter1->SetMinSize(130);
}

void TMainForm::CreatePropertiesPanel() {
  Panel2 = new TPanel(this);
  Panel2->SetWidth(153);
  Panel2->SetAlign(TAlign::Right);
  Panel2->SetColor(Colors::White);
  Panel2->SetVisible(false);

  PageControl1 = new TPageControl(Panel2);
  PageControl1->SetAlign(TAlign::Client);
  PageControl1->SetTabFontColor(Colors::Green);
  tbsProperty = PageControl1->AddPage(QStringLiteral("属性"));
  tbsControl = PageControl1->AddPage(QStringLiteral("尺寸"));
  PageControl1->SetActivePageIndex(0);

  QWidget* page = tbsProperty;
  auto caption = [page](int x, int y, const QString& text) {
    return MakeLabel(page, x, y, text, Colors::Green);
  };
  auto value = [page](int x, int y) {
    TLabel* label = MakeLabel(page, x, y, QStringLiteral(" "), Colors::Black);
    return label;
  };
  auto field = [page](int x, int y) {
    auto* edit = new TEdit(page);
    edit->SetBounds(x, y, 137, 19);
    edit->SetReadOnly(true);
    return edit;
  };
  Label1 = caption(0, 8, QStringLiteral("文件名:"));
  fedFileName = field(0, 24);
  Label2 = caption(0, 56, QStringLiteral("位置:"));
  fedFilePath = field(0, 72);
  Label3 = caption(0, 104, QStringLiteral("大小:"));
  lblFileSize = value(40, 104);
  Label4 = caption(0, 128, QStringLiteral("创建时间:"));
  lblCreateTime = value(0, 152);
  Label5 = caption(0, 176, QStringLiteral("修改时间:"));
  lblWriteTime = value(0, 200);
  Label6 = caption(0, 224, QStringLiteral("访问时间:"));
  lblAccessTime = value(0, 248);
  Label8 = caption(0, 272, QStringLiteral("分辨率:"));
  lblSize = value(1, 296);
  Label7 = caption(0, 320, QStringLiteral("属性:"));
  fcbReadOnly = new TCheckBox(page, QStringLiteral("只读"));
  fcbReadOnly->SetBounds(-1, 344, 49, 17);
  fcbHidden = new TCheckBox(page, QStringLiteral("隐藏"));
  fcbHidden->SetBounds(46, 344, 49, 17);
  fcbArchive = new TCheckBox(page, QStringLiteral("存档"));
  fcbArchive->SetBounds(93, 344, 49, 17);
  fbtnPicProperty = new TButton(page, QStringLiteral("调出图片属性对话框"));
  fbtnPicProperty->SetBounds(0, 384, 137, 25);

  CreateSizePanel();
}

// The size tab: crop or resize in the big box, the crop's sides in the three small ones
// (each box is its own group of options), then the size and the button that applies it.
void TMainForm::CreateSizePanel() {
  QWidget* page = tbsControl;
  auto box = [](QWidget* parent, int x, int y, int w, int h, const QString& caption) {
    auto* b = new TGroupBox(parent, caption);
    b->SetBounds(x, y, w, h);
    return b;
  };
  auto option = [](QWidget* parent, int x, int y, int w, const QString& caption) {
    auto* r = new TRadioButton(parent, caption);
    r->SetBounds(x, y, w, 20);
    return r;
  };
  FlatGroupBox1 = box(page, 2, 6, 139, 224, QStringLiteral("大小"));
  frbClip = option(FlatGroupBox1, 10, 22, 120, QStringLiteral("任意剪裁"));
  frbZoom = option(FlatGroupBox1, 10, 44, 120, QStringLiteral("任意缩放"));
  FlatGroupBox2 = box(FlatGroupBox1, 6, 70, 127, 46, QStringLiteral("宽"));
  frbLeft = option(FlatGroupBox2, 6, 20, 60, QStringLiteral("裁左边"));
  frbRight = option(FlatGroupBox2, 66, 20, 60, QStringLiteral("裁右边"));
  FlatGroupBox3 = box(FlatGroupBox1, 6, 120, 127, 46, QStringLiteral("高"));
  frbTop = option(FlatGroupBox3, 6, 20, 60, QStringLiteral("裁上边"));
  frbBottom = option(FlatGroupBox3, 66, 20, 60, QStringLiteral("裁下边"));
  FlatGroupBox4 = box(FlatGroupBox1, 6, 170, 127, 46, QStringLiteral("其他"));
  frbAround = option(FlatGroupBox4, 6, 20, 80, QStringLiteral("裁周边"));

  // Resizing is the start; the crop's sides wait until cropping is chosen. Set before the
  // handlers are wired, so no handler runs.
  frbZoom->SetChecked(true);
  frbAround->SetChecked(true);
  for (QWidget* w :
       std::initializer_list<QWidget*>{FlatGroupBox2, FlatGroupBox3, FlatGroupBox4, frbLeft,
                                       frbRight, frbTop, frbBottom, frbAround})
    w->setEnabled(false);

  auto field = [page](int y) {
    auto* edit = new TEdit(page);
    edit->SetBounds(40, y, 62, 21);
    return edit;
  };
  Label9 = MakeLabel(page, 4, 249, QStringLiteral("宽度:"), Colors::Green);
  fedtWidth = field(245);
  Label11 = MakeLabel(page, 108, 249, QStringLiteral("像素"), Colors::Green);
  Label10 = MakeLabel(page, 4, 281, QStringLiteral("高度:"), Colors::Green);
  fedtHeight = field(277);
  Label12 = MakeLabel(page, 108, 281, QStringLiteral("像素"), Colors::Green);
  fbtnUseSize = new TButton(page, QStringLiteral("应用"));
  fbtnUseSize->SetBounds(40, 316, 62, 25);
}

void TMainForm::CreatePictureArea() {
  scrboxBack = new TScrollBox(this);
  scrboxBack->SetAlign(TAlign::Client);
  scrboxBack->SetColor(Colors::White);
  QWidget* client = scrboxBack->Client();

  imgMain = new TImage(client);
  imgMain->SetBounds(0, 0, 105, 105);
  imgMain->SetAutoSize(true);
  imgMain->SetVisible(false);

  shpRect = new TShape(client);
  shpRect->SetCursor(TCursor::SizeAll);
  shpRect->SetVisible(false);

  scrboxMagnifier = new TScrollBox(client);
  scrboxMagnifier->SetBounds(0, 0, 121, 121);
  scrboxMagnifier->SetScrollBarThickness(1);
  // No frame: at 100 % the lens shows exactly the columns beneath it.
  scrboxMagnifier->setFrameStyle(QFrame::NoFrame);
  // The lens has no mouse handling of its own; a quick move up-left onto it must still
  // reach the picture, or the lens would stop following the pointer.
  scrboxMagnifier->setAttribute(Qt::WA_TransparentForMouseEvents);
  scrboxMagnifier->SetVisible(false);
  imgMagnifier = new TImage(scrboxMagnifier->Client());
  imgMagnifier->SetBounds(0, -3, 105, 105);

  pnlGifBack = new TPanel(client);
  pnlGifBack->SetColor(Colors::White);
  pnlGifBack->SetVisible(false);
  GifBrowser = new TGifBrowser(pnlGifBack);
  GifBrowser->SetAlign(TAlign::Client);

  Area.scrboxBack = scrboxBack;
  Area.imgMain = imgMain;
  Area.shpRect = shpRect;
  Area.scrboxMagnifier = scrboxMagnifier;
  Area.imgMagnifier = imgMagnifier;
  Area.pnlGifBack = pnlGifBack;
  Area.GifBrowser = GifBrowser;
  Area.StatusBar = StatusBar;
  Area.lblSize = lblSize;
}

void TMainForm::CreateOwners() {
  const ViewerContext v = Context();
  Frame = std::make_unique<WindowFrame>(*this);
  Menus = std::make_unique<MenuBar>(*this);
  Modes = std::make_unique<WindowModes>(*this);
  Lens = std::make_unique<Magnifier>(v);
  Zoom = std::make_unique<ZoomControl>(v, *Lens);
  Selection = std::make_unique<SelectionTool>(v);
  Mouse = std::make_unique<PictureMouse>(v, *Lens, *Selection);
  FileInfo = std::make_unique<FileInfoPanel>(
      v,
      FileInfoPanel::Controls{Panel2, fedFileName, fedFilePath, lblFileSize, lblCreateTime,
                              lblWriteTime, lblAccessTime, fcbReadOnly, fcbHidden, fcbArchive},
      *Zoom);
  Browser = std::make_unique<FolderBrowser>(
      v,
      FolderBrowser::Controls{Panel1, ShellTreeView, PageControl2, ListView1, imgListView,
                              &ImageList, fcbUseSmallImg},
      *FileInfo, *Zoom);
  Browser->LoadSelected = [this] { ListView1DblClick(); };
  Loader = std::make_unique<PictureLoader>(v, *Browser, *FileInfo, *Zoom, *Lens, OpenPictureDialog);
  Opener = std::make_unique<PathOpener>(*Browser);
  Editor = std::make_unique<PictureEditor>(v, *Lens, *Selection);
  Saver = std::make_unique<SaveCommands>(v, *Editor, *Selection, SavePictureDialog);
  ClipboardEdit = std::make_unique<ClipboardCommands>(v, *Editor, *Selection, this);
  Sizer = std::make_unique<ResizeCrop>(
      v,
      ResizeCrop::Controls{frbClip, frbZoom, FlatGroupBox2, FlatGroupBox3, FlatGroupBox4, frbLeft,
                           frbRight, frbTop, frbBottom, frbAround, fedtWidth, fedtHeight},
      this);
  Printer = std::make_unique<PicturePrinter>(v, this);
  Slides = std::make_unique<SlideShow>(v, FlatSpinEdit, AutoPlayTimer, ListView1);
  Desktop = std::make_unique<DesktopCommands>(v, *FileInfo);
}

// What each command does. The commands of windows made after this one (the tools, the
// help windows) get their actions where those windows are made.
void TMainForm::SetCommandActions() {
  UserCommands& c = Commands;
  c.Open.SetAction([this] { Loader->OpenCommand(); });
  c.ClosePicture.SetAction([this] { Loader->ClosePicture(); });
  c.SaveAs.SetAction([this] { Saver->SaveAs(); });
  c.SaveThisSize.SetAction([this] { Saver->SaveThisSize(); });
  c.PrintPicture.SetAction([this] { Printer->PrintPicture(); });
  c.Exit.SetAction([this] { Close(); });

  c.Cut.SetAction([this] { ClipboardEdit->Cut(); });
  c.Copy.SetAction([this] { ClipboardEdit->Copy(); });
  c.Paste.SetAction([this] { ClipboardEdit->Paste(); });
  c.SaveSelection.SetAction([this] { Saver->SaveSelection(); });
  c.SelectionMode.SetAction([this] { Selection->Toggle(); });
  c.Rotate90.SetAction([this] { Editor->Rotate90(); });
  c.MirrorLeftRight.SetAction([this] { Editor->MirrorLeftRight(); });
  c.MirrorUpDown.SetAction([this] { Editor->MirrorUpDown(); });
  c.BlackWhite.SetAction([this] { Editor->BlackWhite(); });
  c.Negative.SetAction([this] { Editor->Negative(); });
  c.Emboss.SetAction([this] { Editor->Emboss(); });
  c.Brighter.SetAction([this] { Editor->Brighter(); });
  c.Darker.SetAction([this] { Editor->Darker(); });
  c.RestoreBrightness.SetAction([this] { Editor->RestoreBrightness(); });

  c.FullScreen.SetAction([this] { Modes->FullScreenToggle(); });
  c.MiniMode.SetAction([this] { Modes->EnterMiniMode(); });
  c.PreviousPicture.SetAction([this] { Loader->PreviousPicture(); });
  c.NextPicture.SetAction([this] { Loader->NextPicture(); });
  c.SlideShow.SetAction([this] { Slides->Toggle(); });
  c.ListPanel.SetAction([this] { Browser->ToggleList(); });
  c.PictureProperties.SetAction([this] { FileInfo->TogglePropertiesPanel(); });

  c.RealSize.SetAction([this] { Zoom->RealSize(); });
  c.FitPicture.SetAction([this] { Zoom->FitPicture(); });
  c.FitWidth.SetAction([this] { Zoom->FitWidth(); });
  c.FitHeight.SetAction([this] { Zoom->FitHeight(); });
  c.ZoomIn.SetAction([this] { Zoom->ZoomIn(); });
  c.ZoomOut.SetAction([this] { Zoom->ZoomOut(); });
  c.Magnifier.SetAction([this] { Lens->Toggle(); });

  c.ScreenCapture.SetAction([this] { Desktop->ScreenCapture(); });
  c.SetWallpaper.SetAction([this] { Desktop->SetWallpaper(); });

  c.ListUp.SetAction([this] { Browser->MoveUp(); });
  c.ListDown.SetAction([this] { Browser->MoveDown(); });
  c.ListDelete.SetAction([this] { Browser->DeleteSelected(); });
}

void TMainForm::WireHandlers() {
  using CommandBinding::BindButton;
  using CommandBinding::ButtonLook;
  const ButtonLook mode{true, QString(), QString()};
  UserCommands& c = Commands;
  BindButton(sbtnOpen, c.Open);
  BindButton(sbtnSave, c.SaveAs);
  BindButton(sbtnSaveNew, c.SaveThisSize);
  BindButton(sbtnPrior, c.PreviousPicture);
  BindButton(sbtnNext, c.NextPicture);
  BindButton(sbtnAuto, c.SlideShow, mode);
  BindButton(sbtnZoomIn, c.ZoomIn);
  BindButton(sbtnZoomOut, c.ZoomOut);
  BindButton(sbtnZoom, c.Magnifier, mode);
  BindButton(sbtnReal, c.RealSize, mode);
  BindButton(sbtnFitPic, c.FitPicture, mode);
  BindButton(sbtnFitWidth, c.FitWidth, mode);
  BindButton(sbtnFitHeight, c.FitHeight, mode);
  BindButton(sbtnNinetyTurn, c.Rotate90);
  BindButton(sbtnLRTurn, c.MirrorLeftRight);
  BindButton(sbtnUDTurn, c.MirrorUpDown);
  BindButton(sbtnBright, c.Brighter);
  BindButton(sbtnDark, c.Darker);
  BindButton(sbtnRestoreBD, c.RestoreBrightness);
  BindButton(sbtnSelect, c.SelectionMode, mode);
  BindButton(sbtnList, c.ListPanel,
             ButtonLook{true, QStringLiteral("显示列表"), QStringLiteral("隐藏列表")});
  BindButton(sbtnListUp, c.ListUp);
  BindButton(sbtnListDown, c.ListDown);
  BindButton(sbtnListDel, c.ListDelete);

  sbtnMin->OnClick = [this] { sbtnMinClick(); };
  sbtnMax->OnClick = [this] { sbtnMaxClick(); };
  sbtnClose->OnClick = [this] { sbtnCloseClick(); };
  SpeedButton2->OnClick = [this] { SpeedButton2Click(); };
  AutoPlayTimer->OnTimer = [this] { AutoPlayTimerTimer(); };
  FlatSpinEdit->OnChange = [this] { FlatSpinEditChange(); };

  TSpeedButton* menuButtons[] = {FlatSpeedButton1, FlatSpeedButton2, FlatSpeedButton3,
                                 FlatSpeedButton4, FlatSpeedButton5, FlatSpeedButton6};
  for (int k = 0; k < 6; ++k) {
    menuButtons[k]->OnClick = [this, k] { Menus->Click(k); };
    menuButtons[k]->OnMouseMove = [this, k](Qt::KeyboardModifiers, int, int) {
      Menus->MouseMove(k);
    };
  }

  Image1->OnMouseDown = [this](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
    Image1MouseDown(b, x, y);
  };
  lblTitle->OnMouseDown = [this](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
    lblTitleMouseDown(b, x, y);
  };
  Image1->OnDblClick = [this] { Image1DblClick(); };
  lblTitle->OnDblClick = [this] { Image1DblClick(); };
  for (TControl<QWidget>* title :
       {static_cast<TControl<QWidget>*>(Image1), static_cast<TControl<QWidget>*>(lblTitle)}) {
    title->OnMouseMove = [this](Qt::KeyboardModifiers, int, int) { Frame->FollowDrag(); };
    title->OnMouseUp = [this](Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
      Frame->EndDrag();
    };
  }

  SetKeyPreview(true);
  OnKeyDown = [this](int key, Qt::KeyboardModifiers) { FormKeyDown(key); };
  OnCloseQuery = [this](bool& canClose) { FormCloseQuery(canClose); };
  OnClose = [this] { FormClose(); };
  Splitter1->OnMoved = [this] { Splitter1Moved(); };

  ShellTreeView->OnChange = [this] { ShellTreeViewChange(); };
  ListView1->OnSelectItem = [this](int i, bool on) { ListView1SelectItem(i, on); };
  imgListView->OnSelectItem = [this](int i, bool on) { imgListViewSelectItem(i, on); };
  ListView1->OnClick = [this] { ListView1Click(); };
  imgListView->OnClick = [this] { imgListViewClick(); };
  ListView1->OnDblClick = [this] { ListView1DblClick(); };
  imgListView->OnDblClick = [this] { imgListViewDblClick(); };
  fbtnPicProperty->OnClick = [this] { fbtnPicPropertyClick(); };
  fbtnUseSize->OnClick = [this] { fbtnUseSizeClick(); };
  frbClip->OnClick = [this] { frbClipClick(); };
  frbZoom->OnClick = [this] { frbZoomClick(); };
  frbAround->OnClick = [this] { frbAroundClick(); };
  frbLeft->OnClick = [this] { frbLeftClick(); };
  frbRight->OnClick = [this] { frbRightClick(); };
  frbTop->OnClick = [this] { frbTopClick(); };
  frbBottom->OnClick = [this] { frbBottomClick(); };

  imgMain->OnMouseDown = [this](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
    imgMainMouseDown(b, x, y);
  };
  imgMain->OnMouseMove = [this](Qt::KeyboardModifiers, int x, int y) { imgMainMouseMove(x, y); };
  imgMain->OnMouseUp = [this](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
    imgMainMouseUp(b, x, y);
  };
  imgMain->OnClick = [this] { imgMainClick(); };
  imgMain->setMouseTracking(true);
  shpRect->OnMouseDown = [this](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
    shpRectMouseDown(b, x, y);
  };
  shpRect->OnMouseMove = [this](Qt::KeyboardModifiers, int x, int y) { shpRectMouseMove(x, y); };
  shpRect->OnMouseUp = [this](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
    shpRectMouseUp(b, x, y);
  };
  scrboxBack->OnMouseDown = [this](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
    scrboxBackMouseDown(b, x, y);
  };
  scrboxBack->OnMouseMove = [this](Qt::KeyboardModifiers, int x, int y) {
    scrboxBackMouseMove(x, y);
  };
  scrboxBack->OnMouseUp = [this](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
    scrboxBackMouseUp(b, x, y);
  };
}

// ---- Handlers ------------------------------------------------------------------------------
// Each one forwards to the owner of its subsystem, or runs its command.

void TMainForm::FormCreate() {
  TApplication::SetTitle(Caption());
  State.MagnifierOn = false;
  State.MenuOpen = false;
  SetKeyPreview(true);
  imgListView->SetIconSpacing(90, 120);
  State.ResetZoom();
  State.ScanEnabled = true;
  State.WorkBitmap = Bitmap();
}

void TMainForm::FormKeyDown(int key) {
  Frame->KeyDown(key);
}
void TMainForm::FormCloseQuery(bool& canClose) {
  Frame->CloseQuery(canClose);
}
void TMainForm::FormClose() {
  State.WorkBitmap = Bitmap();
}
void TMainForm::sbtnMaxClick() {
  Frame->MaximizeOrRestore();
}
void TMainForm::sbtnMinClick() {
  Frame->Minimize();
}
void TMainForm::sbtnCloseClick() {
  Close();
}
void TMainForm::Image1MouseDown(Qt::MouseButton button, int, int) {
  Frame->TitleMouseDown(button, true);
}
void TMainForm::lblTitleMouseDown(Qt::MouseButton button, int, int) {
  Frame->TitleMouseDown(button, false);
}
void TMainForm::Image1DblClick() {
  Frame->MaximizeOrRestore();
}
void TMainForm::Splitter1Moved() {
  Zoom->ReapplyFitMode();
}

void TMainForm::ShellTreeViewChange() {
  Browser->ShellTreeViewChange();
}
void TMainForm::OpenArgument(const QString& argument, const QString& workingFolder) {
  Opener->Open(argument, workingFolder);
}
void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
  if (PathOpener::DroppedPath(*event->mimeData())) event->acceptProposedAction();
}
void TMainForm::dragMoveEvent(QDragMoveEvent* event) {
  if (PathOpener::DroppedPath(*event->mimeData())) event->acceptProposedAction();
}
void TMainForm::dropEvent(QDropEvent* event) {
  const std::optional<QString> path = PathOpener::DroppedPath(*event->mimeData());
  if (!path) return;
  event->acceptProposedAction();
  // Opened once the drop is over: the program the item came from waits for the answer
  // meanwhile, and a scan or a message box would keep it waiting.
  QTimer::singleShot(0, this, [this, path = *path] {
    TApplication::RunHandler(std::function<void()>([this, &path] { Opener->OpenLocal(path); }));
  });
}
void TMainForm::ListView1SelectItem(int index, bool selected) {
  Browser->ListView1SelectItem(index, selected);
}
void TMainForm::imgListViewSelectItem(int index, bool selected) {
  Browser->imgListViewSelectItem(index, selected);
}
void TMainForm::ListView1Click() {
  Browser->ListView1Click();
}
void TMainForm::imgListViewClick() {
  Browser->imgListViewClick();
}
void TMainForm::ListView1DblClick() {
  Loader->ListView1DblClick();
}
void TMainForm::imgListViewDblClick() {
  Browser->imgListViewDblClick();
}
void TMainForm::sbtnListClick() {
  Commands.ListPanel.Run();
}
void TMainForm::SpeedButton2Click() {
  Browser->HideList();
}
void TMainForm::sbtnListUpClick() {
  Commands.ListUp.Run();
}
void TMainForm::sbtnListDownClick() {
  Commands.ListDown.Run();
}
void TMainForm::sbtnListDelClick() {
  Commands.ListDelete.Run();
}
void TMainForm::sbtnOpenClick() {
  Commands.Open.Run();
}
void TMainForm::sbtnPriorClick() {
  Commands.PreviousPicture.Run();
}
void TMainForm::sbtnNextClick() {
  Commands.NextPicture.Run();
}
void TMainForm::fbtnPicPropertyClick() {
  FileInfo->ShowFileManagerProperties();
}

void TMainForm::sbtnZoomInClick() {
  Commands.ZoomIn.Run();
}
void TMainForm::sbtnZoomOutClick() {
  Commands.ZoomOut.Run();
}
void TMainForm::sbtnRealClick() {
  Commands.RealSize.Run();
}
void TMainForm::sbtnFitPicClick() {
  Commands.FitPicture.Run();
}
void TMainForm::sbtnFitWidthClick() {
  Commands.FitWidth.Run();
}
void TMainForm::sbtnFitHeightClick() {
  Commands.FitHeight.Run();
}
void TMainForm::sbtnZoomClick() {
  Commands.Magnifier.Run();
}
void TMainForm::sbtnSelectClick() {
  Commands.SelectionMode.Run();
}
void TMainForm::imgMainMouseDown(Qt::MouseButton button, int x, int y) {
  Mouse->MouseDown(button, x, y);
}
void TMainForm::imgMainMouseMove(int x, int y) {
  Mouse->MouseMove(x, y);
}
void TMainForm::imgMainMouseUp(Qt::MouseButton button, int x, int y) {
  Mouse->MouseUp(button, x, y);
}
void TMainForm::imgMainClick() {
  Mouse->Click();
}
void TMainForm::shpRectMouseDown(Qt::MouseButton button, int x, int y) {
  Selection->ShapeMouseDown(button, x, y);
}
void TMainForm::shpRectMouseMove(int x, int y) {
  Selection->ShapeMouseMove(x, y);
}
void TMainForm::shpRectMouseUp(Qt::MouseButton button, int x, int y) {
  Selection->ShapeMouseUp(button, x, y);
}
void TMainForm::scrboxBackMouseDown(Qt::MouseButton button, int x, int y) {
  Mouse->BackgroundMouseDown(button, x, y);
}
void TMainForm::scrboxBackMouseMove(int x, int y) {
  Mouse->BackgroundMouseMove(x, y);
}
void TMainForm::scrboxBackMouseUp(Qt::MouseButton button, int x, int y) {
  Mouse->BackgroundMouseUp(button, x, y);
}

void TMainForm::sbtnNinetyTurnClick() {
  Commands.Rotate90.Run();
}
void TMainForm::sbtnLRTurnClick() {
  Commands.MirrorLeftRight.Run();
}
void TMainForm::sbtnUDTurnClick() {
  Commands.MirrorUpDown.Run();
}
void TMainForm::sbtnBrightClick() {
  Commands.Brighter.Run();
}
void TMainForm::sbtnDarkClick() {
  Commands.Darker.Run();
}
void TMainForm::sbtnRestoreBDClick() {
  Commands.RestoreBrightness.Run();
}
void TMainForm::sbtnSaveClick() {
  Commands.SaveAs.Run();
}
void TMainForm::sbtnSaveNewClick() {
  Commands.SaveThisSize.Run();
}
void TMainForm::fbtnUseSizeClick() {
  Sizer->Apply();
}
void TMainForm::frbClipClick() {
  Sizer->ClipClick();
}
void TMainForm::frbZoomClick() {
  Sizer->ZoomClick();
}
void TMainForm::frbAroundClick() {
  Sizer->AroundClick();
}
void TMainForm::frbLeftClick() {
  Sizer->SideClick();
}
void TMainForm::frbRightClick() {
  Sizer->SideClick();
}
void TMainForm::frbTopClick() {
  Sizer->SideClick();
}
void TMainForm::frbBottomClick() {
  Sizer->SideClick();
}

void TMainForm::sbtnAutoClick() {
  Commands.SlideShow.Run();
}
void TMainForm::AutoPlayTimerTimer() {
  Slides->Tick();
}
void TMainForm::FlatSpinEditChange() {
  Slides->IntervalChanged();
}

// ---- WindowHost ----------------------------------------------------------------------------

void TMainForm::CloseMenus(bool withChooser) {
  Menus->CloseMenus(withChooser);
}
void TMainForm::CloseMenu(Menu menu) {
  Menus->CloseMenu(menu);
}
void TMainForm::PopupPictureMenu(int x, int y) {
  const QPoint place = Menus->PictureMenuPlace(x, y);
  PopupMainForm->PopupAt(place.x(), place.y());
}
void TMainForm::PopupSelectionMenu(int x, int y) {
  const QPoint place = Menus->SelectionMenuPlace(x, y);
  popupShapeForm->PopupAt(place.x(), place.y());
}
void TMainForm::StartWindowDrag() {
  Frame->StartDrag();
}
void TMainForm::FollowWindowDrag() {
  Frame->FollowDrag();
}
void TMainForm::EndWindowDrag() {
  Frame->EndDrag();
}
void TMainForm::LeaveMiniMode() {
  Modes->LeaveMiniMode();
}

void TMainForm::StartPictureShow() {
  Modes->StartPictureShow();
}
void TMainForm::SetWindowIcon(const QIcon& icon) {
  setWindowIcon(icon);
}
void TMainForm::RepaintNow() {
  repaint();
}
void TMainForm::PlayLoadEffect() {
  if (ViewModeForm) ViewModeForm->PlayLoadEffect();
}
void TMainForm::SetMainWindowVisible(bool visible) {
  if (visible)
    Show();
  else
    Hide();
}
QRect TMainForm::MainWindowBounds() const {
  return frameGeometry();
}
