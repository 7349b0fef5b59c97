#include "FolderBrowser.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QScopedValueRollback>

#include "FileInfoPanel.h"
#include "ThumbnailBuilder.h"
#include "controls/TCheckBox.h"
#include "controls/TCursor.h"
#include "controls/TListView.h"
#include "controls/TPageControl.h"
#include "controls/TPanel.h"
#include "controls/TShellTreeView.h"
#include "core/PictureArea.h"
#include "core/UserCommands.h"
#include "core/ViewerState.h"
#include "picture/ImageList.h"
#include "view/ZoomControl.h"

namespace {

// The hourglass shows while a scan or a build runs; the outermost one puts the normal
// cursor back, however it ends.
class HourGlass {
 public:
  HourGlass() {
    if (depth_++ == 0) Screen::SetCursor(TCursor::HourGlass);
  }
  ~HourGlass() {
    if (--depth_ == 0) Screen::SetCursor(TCursor::Default);
  }
  HourGlass(const HourGlass&) = delete;
  HourGlass& operator=(const HourGlass&) = delete;

 private:
  static inline int depth_ = 0;
};

}  // namespace

// While a fill or a build runs, moving and deleting entries would part the two lists
// and the tiles: the list-editing commands are off until the last one ends.
class FolderBrowser::BusyGuard {
 public:
  explicit BusyGuard(FolderBrowser* browser) : browser_(browser), alive_(browser->alive_) {
    if (browser_->busy_++ == 0) SetEditing(false);
  }
  ~BusyGuard() {
    if (!alive_.expired() && --browser_->busy_ == 0) SetEditing(true);
  }
  BusyGuard(const BusyGuard&) = delete;
  BusyGuard& operator=(const BusyGuard&) = delete;

 private:
  void SetEditing(bool on) {
    UserCommands& c = browser_->v_.commands;
    for (Command* command : {&c.ListUp, &c.ListDown, &c.ListDelete}) command->SetEnabled(on);
  }
  FolderBrowser* browser_;
  std::weak_ptr<bool> alive_;
};

// The tree stays disabled while a scan or a fill runs and is enabled again when the
// outermost one ends, also when an error ends it.
class FolderBrowser::ScanGuard {
 public:
  explicit ScanGuard(FolderBrowser* browser)
      : browser_(browser), alive_(browser->alive_), busy_(browser) {
    if (browser_->scanDepth_++ == 0) browser_->c_.ShellTreeView->SetEnabled(false);
  }
  ~ScanGuard() {
    if (!alive_.expired() && --browser_->scanDepth_ == 0)
      browser_->c_.ShellTreeView->SetEnabled(true);
  }
  ScanGuard(const ScanGuard&) = delete;
  ScanGuard& operator=(const ScanGuard&) = delete;

 private:
  FolderBrowser* browser_;
  std::weak_ptr<bool> alive_;
  BusyGuard busy_;
  HourGlass hourGlass_;
};

FolderBrowser::FolderBrowser(ViewerContext context, Controls controls, FileInfoPanel& fileInfo,
                             ZoomControl& zoom)
    : v_(context), c_(controls), fileInfo_(fileInfo), zoom_(zoom) {}

FolderBrowser::~FolderBrowser() = default;

const QStringList& FolderBrowser::FilePatterns() {
  static const QStringList patterns = {QStringLiteral("*.jpg"),  QStringLiteral("*.bmp"),
                                       QStringLiteral("*.jpeg"), QStringLiteral("*.ico"),
                                       QStringLiteral("*.gif"),  QStringLiteral("*.emf"),
                                       QStringLiteral("*.wmf")};
  return patterns;
}

// ---- Folder scan and fills --------------------------------------------------------------

void FolderBrowser::ShellTreeViewChange() {
  if (followTree_) ScanFolder(c_.ShellTreeView->Path());
}

bool FolderBrowser::ShowFolder(const QString& folder) {
  {
    const QScopedValueRollback<bool> quiet(followTree_, false);
    c_.ShellTreeView->SetPath(folder);
  }
  return ScanFolder(folder);
}

bool FolderBrowser::ScanFolder(QString path) {
  if (!v_.state.ScanEnabled) return false;
  if (path.isEmpty() || !QFileInfo(path).isDir()) return false;
  if (path.endsWith(QLatin1Char('/'))) path.chop(1);  // "/" becomes "" and then "/" again

  ScanGuard guard(this);
  const quint64 fill = BeginListFill();
  v_.state.CurFolder = path + QLatin1Char('/');
  c_.ListView1->SetSortType(true);
  if (!AddPatterns(fill)) return false;
  if (c_.fcbUseSmallImg->Checked()) {
    // The window may go while the tiles are built: this object with it.
    const std::weak_ptr<bool> alive = alive_;
    BuildThumbnails();
    if (alive.expired()) return false;
  } else {
    c_.imgListView->Clear();
    c_.PageControl2->SetActivePageIndex(0);
  }
  return ListFillCurrent(fill);
}

bool FolderBrowser::FillFromCurrentFolder() {
  ScanGuard guard(this);
  return AddPatterns(BeginListFill());
}

quint64 FolderBrowser::BeginListFill() {
  c_.ListView1->Clear();
  return ++fillGeneration_;
}

// The seven patterns into the list; false as soon as a newer fill has taken it over.
bool FolderBrowser::AddPatterns(quint64 fill) {
  std::weak_ptr<bool> alive = alive_;
  for (const QString& pattern : FilePatterns()) {
    const quint64 adds = adds_;
    AddMatchingFiles(v_.state.CurFolder + pattern);
    if (alive.expired() || !ListFillCurrent(fill) || adds_ != adds + 1) return false;
  }
  return true;
}

void FolderBrowser::AddMatchingFiles(const QString& pattern) {
  const quint64 add = ++adds_;
  const quint64 fill = fillGeneration_;
  const int slash = pattern.lastIndexOf(QLatin1Char('/'));
  const QDir folder(slash >= 0 ? pattern.left(slash + 1) : QStringLiteral("."));
  // Without QDir::CaseSensitive the wildcard ignores case; sub-folders match as well.
  const QFileInfoList entries = folder.entryInfoList(
      QStringList{pattern.mid(slash + 1)},
      QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
  if (entries.isEmpty()) return;

  std::weak_ptr<bool> alive = alive_;
  BusyGuard busy(this);
  ViewerState& st = v_.state;
  for (int i = 0; i < entries.size(); ++i) {
    const QString name = entries[i].fileName();
    c_.ListView1->Add(name);
    if (name == st.CurFileName) fileInfo_.ShowFileInformation(entries[i]);
    if (i > 0) {
      QApplication::processEvents();
      // Superseded by a newer fill or add: the list is theirs now.
      if (alive.expired() || adds_ != add || fillGeneration_ != fill) return;
    }
  }
  st.CurIndex = c_.ListView1->IndexOfCaption(st.CurFileName) + 1;
  TStatusBar* status = v_.area.StatusBar;
  status->SetText(PictureArea::kFileName, st.CurFileName);
  status->SetText(PictureArea::kListPosition,
                  QStringLiteral("%1/%2").arg(st.CurIndex).arg(c_.ListView1->Count()));
}

void FolderBrowser::BuildThumbnails() {
  c_.imgListView->Clear();
  c_.Images->Clear();
  HourGlass hourGlass;
  BusyGuard busy(this);

  QStringList captions;
  captions.reserve(c_.ListView1->Count());
  for (int i = 0; i < c_.ListView1->Count(); ++i) captions << c_.ListView1->Caption(i);
  QStringList paths;
  paths.reserve(captions.size());
  for (const QString& caption : captions) paths << v_.state.CurFolder + caption;

  if (!thumbnails_) thumbnails_ = std::make_unique<ThumbnailBuilder>();
  std::weak_ptr<bool> alive = alive_;
  QEventLoop loop;
  bool done = false;
  thumbnails_->Start(
      paths,
      [this, captions](int index, const Bitmap& tile) {
        c_.Images->Add(tile);
        c_.imgListView->Add(captions[index], index);
      },
      [&done, &loop](bool) {
        done = true;
        loop.quit();
      });
  // The window keeps working while the tiles arrive. A newer build, or the window going,
  // ends this one through the done handler.
  if (!done) loop.exec();
  // The loop also returns at once when the application is quitting.
  if (!done && !alive.expired() && thumbnails_) thumbnails_->Cancel();
}

// ---- Selection mirroring and double clicks ---------------------------------------------------

namespace {
// Selects the first item of to with the caption of item index of from.
void Mirror(const TListView* from, int index, TListView* to) {
  const int match = to->IndexOfCaption(from->Caption(index));
  if (match >= 0 && !to->IsSelected(match)) to->SelectAndFocus(match);
}
}  // namespace

void FolderBrowser::ListView1SelectItem(int index, bool selected) {
  if (!selected || mirroring_) return;
  mirroring_ = true;
  Mirror(c_.ListView1, index, c_.imgListView);
  mirroring_ = false;
}

void FolderBrowser::imgListViewSelectItem(int index, bool selected) {
  if (!selected || mirroring_) return;
  mirroring_ = true;
  Mirror(c_.imgListView, index, c_.ListView1);
  mirroring_ = false;
}

void FolderBrowser::ListView1Click() {
  if (c_.ListView1->Selected() >= 0) return;
  const int other = c_.imgListView->Selected();
  if (other >= 0) c_.imgListView->SetItemSelected(other, false);
}

void FolderBrowser::imgListViewClick() {
  if (c_.imgListView->Selected() >= 0) return;
  const int other = c_.ListView1->Selected();
  if (other >= 0) c_.ListView1->SetItemSelected(other, false);
}

void FolderBrowser::imgListViewDblClick() {
  const int selected = c_.imgListView->Selected();
  if (selected < 0) return;
  const int match = c_.ListView1->IndexOfCaption(c_.imgListView->Caption(selected));
  if (match < 0) return;
  c_.ListView1->SelectAndFocus(match);
  if (LoadSelected) LoadSelected();
}

void FolderBrowser::SelectThumbnailsOf(const QString& name) {
  TListView* thumbnails = c_.imgListView;
  for (int i = 0; i < thumbnails->Count(); ++i) {
    if (thumbnails->Caption(i) != name || thumbnails->IsSelected(i)) continue;
    thumbnails->ClearSelection();  // the list holds one selected item
    thumbnails->SetItemSelected(i, true);
  }
}

// ---- List editing ------------------------------------------------------------------------------

// Exchanges the thumbnails at first and first + 1 of the image list; item image indexes
// stay, so each picture moves with its name.
void FolderBrowser::SwapThumbnailImages(int first) {
  Bitmap copy;
  c_.Images->GetBitmap(first, copy);
  c_.Images->Delete(first);
  c_.Images->Insert(first + 1, copy);
}

void FolderBrowser::SwapListItems(TListView* list, int a, int b) {
  const QString caption = list->Caption(a);
  list->SetCaption(a, list->Caption(b));
  list->SetCaption(b, caption);
}

void FolderBrowser::MoveUp() {
  if (Busy()) return;
  TListView* names = c_.ListView1;
  TListView* thumbnails = c_.imgListView;
  const int i = names->Selected();
  if (i <= 0) return;
  names->SetSortType(false);
  SwapListItems(names, i - 1, i);
  names->SelectAndFocus(i - 1);
  const int j = thumbnails->Selected();
  if (j <= 0) return;
  SwapListItems(thumbnails, j - 1, j);
  thumbnails->SelectAndFocus(j - 1);
  SwapThumbnailImages(j - 1);
}

void FolderBrowser::MoveDown() {
  if (Busy()) return;
  TListView* names = c_.ListView1;
  TListView* thumbnails = c_.imgListView;
  const int i = names->Selected();
  if (i < 0 || i + 1 >= names->Count()) return;
  names->SetSortType(false);
  SwapListItems(names, i, i + 1);
  names->SelectAndFocus(i + 1);
  const int j = thumbnails->Selected();
  if (j < 0 || j + 1 >= thumbnails->Count()) return;
  SwapListItems(thumbnails, j, j + 1);
  thumbnails->SelectAndFocus(j + 1);
  SwapThumbnailImages(j);
}

void FolderBrowser::DeleteSelected() {
  if (Busy()) return;
  TListView* names = c_.ListView1;
  TListView* thumbnails = c_.imgListView;
  const int i = names->Selected();
  if (i < 0) return;
  names->Delete(i);
  const int j = thumbnails->Selected();
  if (j < 0) return;
  c_.Images->Delete(j);
  for (int k = j + 1; k < thumbnails->Count(); ++k) thumbnails->SetImageIndex(k, k - 1);
  thumbnails->Delete(j);
}

// ---- The list panel --------------------------------------------------------------------------

void FolderBrowser::ToggleList() {
  if (c_.Panel1->Visible())
    HideList();
  else
    ShowList();
}

void FolderBrowser::HideList() {
  SetList(false);
}

void FolderBrowser::ShowList() {
  SetList(true);
}

// The ListPanel command carries the button's look and the two menus' captions.
void FolderBrowser::SetList(bool shown) {
  c_.Panel1->SetVisible(shown);
  v_.commands.ListPanel.SetChecked(shown);
  zoom_.ReapplyFitMode();
}
