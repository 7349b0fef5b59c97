// Folder scan: the file list and the thumbnails of the chosen folder, the two lists
// following each other's selection, and hiding and showing the list panel.
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QPointer>

#include "app/Forms.h"
#include "app/MainForm.h"
#include "app/PopupMainForm.h"
#include "app/menuViewForm.h"
#include "browse/ThumbnailBuilder.h"
#include "controls/TCursor.h"

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

// The tree stays disabled while a scan runs and is enabled again when the outermost scan
// ends, also when an error ends it. The window may go while the loop runs inside a scan.
class TMainForm::ScanGuard {
 public:
  explicit ScanGuard(TMainForm* form) : form_(form) {
    if (form->scanDepth_++ == 0) form->ShellTreeView->SetEnabled(false);
  }
  ~ScanGuard() {
    if (form_ && --form_->scanDepth_ == 0) form_->ShellTreeView->SetEnabled(true);
  }
  ScanGuard(const ScanGuard&) = delete;
  ScanGuard& operator=(const ScanGuard&) = delete;

 private:
  QPointer<TMainForm> form_;
  HourGlass hourGlass_;
};

const QStringList& TMainForm::FilePatterns() {
  static const QStringList patterns = {QStringLiteral("*.jpg"),  QStringLiteral("*.bmp"),
                                       QStringLiteral("*.jpeg"), QStringLiteral("*.ico"),
                                       QStringLiteral("*.gif"),  QStringLiteral("*.emf"),
                                       QStringLiteral("*.wmf")};
  return patterns;
}

// ---- Folder scan ---------------------------------------------------------------------------

void TMainForm::ShellTreeViewChange() {
  if (!ScanEnabled) return;
  QString path = ShellTreeView->Path();
  if (path.isEmpty() || !QFileInfo(path).isDir()) return;
  if (path.endsWith(QLatin1Char('/'))) path.chop(1);  // "/" becomes "" and then "/" again

  ScanGuard guard(this);
  QPointer<TMainForm> self(this);
  const quint64 scan = ++scanCount_;
  ListView1->Clear();
  CurFolder = path + QLatin1Char('/');
  ListView1->SetSortType(true);
  for (const QString& pattern : FilePatterns()) {
    const quint64 fills = listFills_;
    AddMatchingFiles(CurFolder + pattern);
    // Another scan or list fill ran inside ours: the list is theirs now.
    if (!self || scanCount_ != scan || listFills_ != fills + 1) return;
  }
  if (fcbUseSmallImg->Checked()) {
    BuildThumbnails();
  } else {
    imgListView->Clear();
    PageControl2->SetActivePageIndex(0);
  }
}

void TMainForm::AddMatchingFiles(const QString& pattern) {
  const quint64 fill = ++listFills_;
  const int slash = pattern.lastIndexOf(QLatin1Char('/'));
  const QDir folder(slash >= 0 ? pattern.left(slash + 1) : QStringLiteral("."));
  // Without QDir::CaseSensitive the wildcard ignores case; sub-folders match as well.
  const QFileInfoList entries = folder.entryInfoList(
      QStringList{pattern.mid(slash + 1)},
      QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
  if (entries.isEmpty()) return;

  QPointer<TMainForm> self(this);
  for (int i = 0; i < entries.size(); ++i) {
    const QString name = entries[i].fileName();
    ListView1->Add(name);
    if (name == CurFileName) ShowFileInformation(entries[i]);
    if (i > 0) {
      QApplication::processEvents();
      if (!self || listFills_ != fill) return;  // superseded by a newer fill
    }
  }
  CurIndex = ListView1->IndexOfCaption(CurFileName) + 1;
  StatusBar->SetText(1, CurFileName);
  StatusBar->SetText(0, QStringLiteral("%1/%2").arg(CurIndex).arg(ListView1->Count()));
}

void TMainForm::BuildThumbnails() {
  imgListView->Clear();
  ImageList.Clear();
  HourGlass hourGlass;

  QStringList captions;
  captions.reserve(ListView1->Count());
  for (int i = 0; i < ListView1->Count(); ++i) captions << ListView1->Caption(i);
  QStringList paths;
  paths.reserve(captions.size());
  for (const QString& caption : captions) paths << CurFolder + caption;

  if (!thumbnails_) thumbnails_ = new ThumbnailBuilder(this);
  QPointer<TMainForm> self(this);
  QEventLoop loop;
  bool done = false;
  thumbnails_->Start(
      paths,
      [this, captions](int index, const Bitmap& tile) {
        ImageList.Add(tile);
        imgListView->Add(captions[index], index);
      },
      [&done, &loop](bool) {
        done = true;
        loop.quit();
      });
  // The window keeps working while the tiles arrive. A newer build, or the window going,
  // ends this one through the done handler.
  if (!done) loop.exec();
  // The loop also returns at once when the application is quitting.
  if (!done && self && thumbnails_) thumbnails_->Cancel();
}

// ---- Selection mirroring and double clicks ---------------------------------------------------

namespace {
// Selects the first item of to with the caption of item index of from.
void Mirror(const TListView* from, int index, TListView* to) {
  const int match = to->IndexOfCaption(from->Caption(index));
  if (match >= 0 && !to->IsSelected(match)) to->SelectAndFocus(match);
}
}  // namespace

void TMainForm::ListView1SelectItem(int index, bool selected) {
  if (!selected || mirroring_) return;
  mirroring_ = true;
  Mirror(ListView1, index, imgListView);
  mirroring_ = false;
}

void TMainForm::imgListViewSelectItem(int index, bool selected) {
  if (!selected || mirroring_) return;
  mirroring_ = true;
  Mirror(imgListView, index, ListView1);
  mirroring_ = false;
}

void TMainForm::ListView1Click() {
  if (ListView1->Selected() >= 0) return;
  const int other = imgListView->Selected();
  if (other >= 0) imgListView->SetItemSelected(other, false);
}

void TMainForm::imgListViewClick() {
  if (imgListView->Selected() >= 0) return;
  const int other = ListView1->Selected();
  if (other >= 0) ListView1->SetItemSelected(other, false);
}

void TMainForm::imgListViewDblClick() {
  const int selected = imgListView->Selected();
  if (selected < 0) return;
  const int match = ListView1->IndexOfCaption(imgListView->Caption(selected));
  if (match < 0) return;
  ListView1->SelectAndFocus(match);
  ListView1DblClick();
}

// ---- The list panel --------------------------------------------------------------------------

void TMainForm::sbtnListClick() {
  if (Panel1->Visible())
    HideList();
  else
    ShowList();
}

void TMainForm::SpeedButton2Click() {
  HideList();
}

void TMainForm::HideList() {
  Panel1->SetVisible(false);
  sbtnList->SetFlat(true);
  sbtnList->SetHint(QStringLiteral("显示列表"));
  menuViewForm->Label5->SetCaption(QStringLiteral("列表查看(&L)"));
  PopupMainForm->Label6->SetCaption(QStringLiteral("列表查看(&L)"));
  ReapplyFitMode();
}

void TMainForm::ShowList() {
  Panel1->SetVisible(true);
  sbtnList->SetFlat(false);
  sbtnList->SetHint(QStringLiteral("隐藏列表"));
  menuViewForm->Label5->SetCaption(QStringLiteral("隐藏列表(&L)"));
  PopupMainForm->Label6->SetCaption(QStringLiteral("隐藏列表(&L)"));
  ReapplyFitMode();
}
