#include "MainForm.h"

#include <QCursor>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include "Forms.h"
#include "PopupMainForm.h"
#include "controls/SvgImage.h"
#include "controls/TApplication.h"
#include "menuEditForm.h"
#include "menuFileForm.h"
#include "menuHelpForm.h"
#include "menuToolForm.h"
#include "menuViewForm.h"
#include "menuZoomForm.h"
#include "popupShapeForm.h"
#include "show/ViewModeForm.h"

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

  // Creation order is stacking order: the top panel and status bar first, then the list
  // panel and its splitter, the properties panel, and the picture area in what is left.
  CreateTitleBar();
  CreateToolBar();
  CreateStatusBar();
  CreateListPanel();
  CreatePropertiesPanel();
  CreatePictureArea();
  WireHandlers();

  OpenPictureDialog = new TPictureDialog(this, TPictureDialog::Mode::Open);
  SetUpOpenPictureDialog();
  SavePictureDialog = new TPictureDialog(this, TPictureDialog::Mode::Save);
  SetUpSavePictureDialog();
  AutoPlayTimer = new TTimer(this, 5000);
  AutoPlayTimer->OnTimer = [this] { AutoPlayTimerTimer(); };

  FormCreate();
  CenterOnScreen();
}

TMainForm::~TMainForm() {
  // The thumbnail view draws from ImageList, which goes before the child widgets do.
  imgListView->SetLargeImages(nullptr);
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
  // Real size is the active display mode and the list is shown.
  sbtnReal->SetFlat(false);
  sbtnList->SetFlat(false);

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
  const QString texts[] = {QStringLiteral("文件数"),   QStringLiteral("文件名"),
                           QStringLiteral("大小"),     QStringLiteral("分辨率"),
                           QStringLiteral("更新日期"), QStringLiteral("100%"),
                           QStringLiteral("鼠标位置")};
  for (int i = 0; i < 7; ++i) StatusBar->AddPanel(widths[i], texts[i]);
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
}

void TMainForm::WireHandlers() {
  auto click = [](TSpeedButton* b, auto handler) { b->OnClick = handler; };
  click(sbtnMin, [this] { sbtnMinClick(); });
  click(sbtnMax, [this] { sbtnMaxClick(); });
  click(sbtnClose, [this] { sbtnCloseClick(); });
  click(sbtnOpen, [this] { sbtnOpenClick(); });
  click(sbtnSave, [this] { sbtnSaveClick(); });
  click(sbtnSaveNew, [this] { sbtnSaveNewClick(); });
  click(sbtnPrior, [this] { sbtnPriorClick(); });
  click(sbtnNext, [this] { sbtnNextClick(); });
  click(sbtnAuto, [this] { sbtnAutoClick(); });
  click(sbtnZoomIn, [this] { sbtnZoomInClick(); });
  click(sbtnZoomOut, [this] { sbtnZoomOutClick(); });
  click(sbtnZoom, [this] { sbtnZoomClick(); });
  click(sbtnReal, [this] { sbtnRealClick(); });
  click(sbtnFitPic, [this] { sbtnFitPicClick(); });
  click(sbtnFitWidth, [this] { sbtnFitWidthClick(); });
  click(sbtnFitHeight, [this] { sbtnFitHeightClick(); });
  click(sbtnNinetyTurn, [this] { sbtnNinetyTurnClick(); });
  click(sbtnLRTurn, [this] { sbtnLRTurnClick(); });
  click(sbtnUDTurn, [this] { sbtnUDTurnClick(); });
  click(sbtnBright, [this] { sbtnBrightClick(); });
  click(sbtnDark, [this] { sbtnDarkClick(); });
  click(sbtnRestoreBD, [this] { sbtnRestoreBDClick(); });
  click(sbtnSelect, [this] { sbtnSelectClick(); });
  click(sbtnList, [this] { sbtnListClick(); });
  click(SpeedButton2, [this] { SpeedButton2Click(); });
  click(sbtnListUp, [this] { sbtnListUpClick(); });
  click(sbtnListDown, [this] { sbtnListDownClick(); });
  click(sbtnListDel, [this] { sbtnListDelClick(); });

  TSpeedButton* menuButtons[] = {FlatSpeedButton1, FlatSpeedButton2, FlatSpeedButton3,
                                 FlatSpeedButton4, FlatSpeedButton5, FlatSpeedButton6};
  for (int k = 0; k < 6; ++k) {
    menuButtons[k]->OnClick = [this, k] { MenuBarClick(k); };
    menuButtons[k]->OnMouseMove = [this, k](Qt::KeyboardModifiers, int, int) {
      MenuBarMouseMove(k);
    };
  }

  Image1->OnMouseDown = [this](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
    Image1MouseDown(b, x, y);
  };
  lblTitle->OnMouseDown = [this](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
    lblTitleMouseDown(b, x, y);
  };
  for (TImage* w : {Image1}) {
    w->OnDblClick = [this] { Image1DblClick(); };
    w->OnMouseMove = [this](Qt::KeyboardModifiers, int, int) { DragWindowMove(); };
    w->OnMouseUp = [this](Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
      windowDrag_ = false;
    };
  }
  lblTitle->OnDblClick = [this] { Image1DblClick(); };
  lblTitle->OnMouseMove = [this](Qt::KeyboardModifiers, int, int) { DragWindowMove(); };
  lblTitle->OnMouseUp = [this](Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
    windowDrag_ = false;
  };

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
}

// ---- Create handler --------------------------------------------------------------------

void TMainForm::FormCreate() {
  TApplication::SetTitle(Caption());
  DragScrolling = false;
  SelectionMoving = false;
  SelectionDrawing = false;
  MagnifierOn = false;
  MenuOpen = false;
  SetKeyPreview(true);
  imgListView->SetIconSpacing(90, 120);
  ZoomIndex = 12;
  ScanEnabled = true;
  WorkBitmap = Bitmap();
}

bool TMainForm::MiniModeOn() const {
  return menuViewForm && menuViewForm->Label8->Caption() == QStringLiteral("取消迷你(&X)");
}

bool TMainForm::FullScreenOn() const {
  return PopupMainForm && PopupMainForm->Label5->Caption() == QStringLiteral("退出全屏(&F)");
}

void TMainForm::ReapplyFitMode() {
  // Each test is made after the previous command has run.
  if (!sbtnReal->Flat()) sbtnRealClick();
  if (!sbtnFitWidth->Flat()) sbtnFitWidthClick();
  if (!sbtnFitHeight->Flat()) sbtnFitHeightClick();
  if (!sbtnFitPic->Flat()) sbtnFitPicClick();
}

void TMainForm::CloseMenus(bool withChooser) {
  TForm* menus[] = {menuFileForm, menuEditForm, menuZoomForm,   menuViewForm, menuToolForm,
                    menuHelpForm, nullptr,      popupShapeForm, PopupMainForm};
  if (withChooser) menus[6] = ViewModeForm;
  for (TForm* menu : menus)
    if (menu) menu->Hide();
}

// ---- Window buttons ----------------------------------------------------------------------

void TMainForm::AnchorWindowButtons() {
  Image2->SetLeft(Image1->Width() - 64);
  sbtnMin->SetLeft(Image2->Left() + 7);
  sbtnMax->SetLeft(Image2->Left() + 24);
  sbtnClose->SetLeft(Image2->Left() + 41);
}

void TMainForm::sbtnMaxClick() {
  if (WindowState() == TWindowState::Maximized) {
    CloseMenus(false);
    SetWindowState(TWindowState::Normal);
    sbtnMax->SetHint(QStringLiteral("最大化"));
    sbtnMax->SetGlyph(QStringLiteral(":/glyphs/max.svg"));
  } else {
    // What the desktop's panels take from the screen is the task bar; a maximised window
    // leaves its height free, wherever it sits.
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const int taskBar = screen->geometry().height() - screen->availableGeometry().height();
    SetWindowState(TWindowState::Maximized);
    if (taskBar > 0) SetHeight(Height() - taskBar);
    sbtnMax->SetHint(QStringLiteral("还原"));
    sbtnMax->SetGlyph(QStringLiteral(":/glyphs/restore.svg"));
  }
  RealignChildren(this);
  ReapplyFitMode();
  AnchorWindowButtons();
}

void TMainForm::sbtnMinClick() {
  SetWindowState(TWindowState::Minimized);
}

void TMainForm::sbtnCloseClick() {
  Close();
}

// ---- Dragging the window by its title ------------------------------------------------

void TMainForm::Image1MouseDown(Qt::MouseButton button, int, int) {
  CloseMenus(true);
  MenuOpen = false;
  if (button == Qt::LeftButton) StartWindowDrag();
}

void TMainForm::lblTitleMouseDown(Qt::MouseButton button, int, int) {
  CloseMenus(true);
  if (button == Qt::LeftButton) StartWindowDrag();
}

void TMainForm::StartWindowDrag() {
  // The window manager moves the window when it can; otherwise it follows the mouse
  // until the button is released.
  windowDrag_ = false;
  if (windowHandle() && windowHandle()->startSystemMove()) return;
  windowDrag_ = true;
  dragStartCursor_ = QCursor::pos();
  dragStartWindow_ = pos();
}

void TMainForm::DragWindowMove() {
  if (!windowDrag_) return;
  if (!(QGuiApplication::mouseButtons() & Qt::LeftButton)) {
    windowDrag_ = false;
    return;
  }
  move(dragStartWindow_ + (QCursor::pos() - dragStartCursor_));
}

void TMainForm::Image1DblClick() {
  sbtnMaxClick();
}

void TMainForm::Splitter1Moved() {
  ReapplyFitMode();
}

// ---- Keys ------------------------------------------------------------------------------

void TMainForm::FormKeyDown(int key) {
  switch (key) {
    case 37:
      sbtnPriorClick();
      break;
    case 39:
      sbtnNextClick();
      break;
    case 27:
      if (MiniModeOn()) {
        LeaveMiniMode();
      } else if (!StatusBar->Visible()) {
        // Ends the imported picture show (and the bars hidden by full screen).
        Image1->SetVisible(true);
        Image2->SetVisible(true);
        StatusBar->SetVisible(true);
        FlatSpinEdit->SetVisible(true);
        Screen::ShowCursor(true);
        menuToolForm->PopupSuppressed = false;
        sbtnMaxClick();
      }
      break;
    default:
      break;
  }
}

// ---- Close -------------------------------------------------------------------------------

void TMainForm::FormCloseQuery(bool& canClose) {
  if (MiniModeOn()) {
    LeaveMiniMode();
    canClose = false;
  }
}

void TMainForm::FormClose() {
  WorkBitmap = Bitmap();
}

// ---- Menu bar ----------------------------------------------------------------------------

TLabelMenuForm* TMainForm::DropDownMenu(int k) const {
  TLabelMenuForm* menus[] = {menuFileForm, menuEditForm, menuViewForm,
                             menuZoomForm, menuToolForm, menuHelpForm};
  return k >= 0 && k < 6 ? menus[k] : nullptr;
}

void TMainForm::OpenDropDownMenu(int k) {
  static constexpr int dx[] = {1, 58, 115, 170, 226, 282};
  MenuOpen = true;
  DropDownMenu(k)->PopupAt(Left() + dx[k], Top() + 55);
}

void TMainForm::MenuBarClick(int k) {
  OpenDropDownMenu(k);
}

// Once a menu has been opened from the bar, the menu under the mouse follows it; the
// right-click menus are none of the bar's business. The others are only hidden: menu k
// keeps the keyboard it has just taken.
void TMainForm::MenuBarMouseMove(int k) {
  if (MenuOpen) OpenDropDownMenu(k);
  for (int other = 0; other < 6; ++other)
    if (other != k) DropDownMenu(other)->Hide();
  ViewModeForm->Hide();
}

QPoint TMainForm::PictureMenuPlace(int x, int y) const {
  return {x + scrboxBack->Left() + imgMain->Left() + Left(),
          y + scrboxBack->Top() + imgMain->Top() + Top()};
}

QPoint TMainForm::SelectionMenuPlace(int x, int y) const {
  return {x + scrboxBack->Left() + shpRect->Left() + Left(),
          y + scrboxBack->Top() + shpRect->Top() + Top()};
}
