#pragma once
// The browser on the left: the folder tree, the name list and the thumbnail list of the
// chosen folder, the two lists following each other's selection, editing the lists, and
// hiding and showing the panel (the ListPanel command is checked while it shows).
//
// The message loop runs inside a list fill and a thumbnail build, so other handlers run
// meanwhile. Every fill of the name list (a scan, the open command) takes a new
// generation; a fill that finds a newer one has been superseded and stops. While a fill
// or a build runs the list-editing commands are disabled, so the two lists and the tiles
// stay aligned.
#include <QStringList>
#include <functional>
#include <memory>

#include "core/ViewerContext.h"

class FileInfoPanel;
class ImageList;
class TCheckBox;
class TListView;
class TPageControl;
class TPanel;
class TShellTreeView;
class ThumbnailBuilder;
class ZoomControl;

class FolderBrowser {
 public:
  struct Controls {
    TPanel* Panel1;  // the whole panel
    TShellTreeView* ShellTreeView;
    TPageControl* PageControl2;
    TListView* ListView1;    // names
    TListView* imgListView;  // thumbnails
    ImageList* Images;       // the thumbnail tiles, 80 x 80
    TCheckBox* fcbUseSmallImg;
  };

  FolderBrowser(ViewerContext context, Controls controls, FileInfoPanel& fileInfo,
                ZoomControl& zoom);
  ~FolderBrowser();

  // The load from list for the selected name (set by the window that owns the loader).
  std::function<void()> LoadSelected;

  // The seven patterns, in the order they are listed.
  static const QStringList& FilePatterns();

  // ---- Scan and fills
  void ShellTreeViewChange();
  // Puts the tree on folder and scans it as a click on it does, also when the tree is on it
  // already or cannot show it. False when the scan is off, when another fill took the
  // lists over before this one ended, or when the window (and this object) went meanwhile.
  bool ShowFolder(const QString& folder);
  // Fills the name list from CurFolder as the open command does. False when a newer fill
  // took the list over meanwhile.
  bool FillFromCurrentFolder();
  // pattern: a folder path followed by a wildcard pattern ("/pics/*.jpg").
  void AddMatchingFiles(const QString& pattern);
  void BuildThumbnails();
  // Starts a fill: empties the name list and supersedes every fill still running. For
  // fills made elsewhere (an imported show's list).
  quint64 BeginListFill();
  bool ListFillCurrent(quint64 fill) const { return fill == fillGeneration_; }
  // A fill or a thumbnail build is running.
  bool Busy() const { return busy_ > 0; }

  // ---- Selection and double clicks
  void ListView1SelectItem(int index, bool selected);
  void imgListViewSelectItem(int index, bool selected);
  void ListView1Click();
  void imgListViewClick();
  void imgListViewDblClick();
  // Selects the thumbnails named name (the list holds one selected item).
  void SelectThumbnailsOf(const QString& name);

  // ---- List editing
  void MoveUp();
  void MoveDown();
  void DeleteSelected();

  // ---- The panel
  void ToggleList();
  void HideList();
  void ShowList();

  TListView* Names() const { return c_.ListView1; }
  TListView* Thumbnails() const { return c_.imgListView; }

 private:
  class BusyGuard;
  class ScanGuard;
  bool AddPatterns(quint64 fill);
  bool ScanFolder(QString path);
  void SetList(bool shown);
  void SwapThumbnailImages(int first);
  static void SwapListItems(TListView* list, int a, int b);

  ViewerContext v_;
  Controls c_;
  FileInfoPanel& fileInfo_;
  ZoomControl& zoom_;
  std::unique_ptr<ThumbnailBuilder> thumbnails_;  // made on the first build
  int scanDepth_ = 0;                             // scans and fills with the tree disabled
  int busy_ = 0;                                  // fills and builds running
  quint64 fillGeneration_ = 0;                    // fills started
  quint64 adds_ = 0;                              // AddMatchingFiles calls started
  bool followTree_ = true;                        // a change of the tree's folder scans it
  bool mirroring_ = false;                        // one list is following the other's selection
  // The browser goes with the main window, possibly while the message loop runs inside
  // one of its fills or builds; what runs after the loop checks this first.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
