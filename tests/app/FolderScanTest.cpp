// The folder scan: the file list and the thumbnails of the chosen folder, the two lists
// following each other, and hiding and showing the list panel.
#include <QDir>
#include <QFile>
#include <QTimer>

#include "FormsTest.h"
#include "HostileFiles.h"
#include "ListHelpers.h"
#include "PeakMemory.h"
#include "TileBounds.h"
#include "picture/ThumbnailTile.h"

namespace {

QImage Solid(int w, int h, QRgb colour) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

// The captions of a list, "a.jpg b.bmp".
std::string Captions(const TListView* list) {
  QStringList out;
  for (int i = 0; i < list->Count(); ++i) out << list->Caption(i);
  return out.join(QLatin1Char(' ')).toStdString();
}

}  // namespace

class FolderScanTest : public FormsTest {
 protected:
  // A new sub-folder of the test folder.
  QString Folder(const QString& name) {
    QDir(files.Folder()).mkpath(name);
    return files.Path(name);
  }
  // Enough files that a build is still running when the events queued at its first tile
  // come round, even on a loaded machine.
  static constexpr int kBusyFiles = 200;
  // A folder of count links to one JPEG.
  QString BusyFolder(const QString& name, int count) {
    const QString folder = Folder(name);
    const QString first =
        files.WriteJpeg(name + QStringLiteral("/p000.jpg"), TestFiles::Pattern(1200, 900));
    for (int i = 1; i < count; ++i)
      QFile::link(first, folder + QStringLiteral("/p%1.jpg").arg(i, 3, 10, QLatin1Char('0')));
    return folder;
  }
  static void Scan(const QString& folder) { MainForm->ShellTreeView->SetPath(folder); }
  // Scans folder and closes the windows once its first tile has arrived, mid-build.
  static void ScanClosingAtTheFirstTile(const QString& folder) {
    MainForm->State.ScanEnabled = false;
    Scan(folder);
    MainForm->State.ScanEnabled = true;
    QObject::connect(MainForm->imgListView->model(), &QAbstractItemModel::rowsInserted,
                     MainForm->imgListView, [] { QTimer::singleShot(0, [] { DestroyForms(); }); });
    // Run directly rather than from the tree's change signal, whose sender goes too.
    TMainForm* form = MainForm;
    form->ShellTreeViewChange();
  }

  // The two lists hold the same names in the same order, each thumbnail its own tile.
  static void ExpectAligned() {
    ASSERT_EQ(Captions(MainForm->imgListView), Captions(MainForm->ListView1));
    EXPECT_EQ(MainForm->ImageList.Count(), MainForm->ListView1->Count());
    for (int i = 0; i < MainForm->imgListView->Count(); ++i)
      EXPECT_EQ(MainForm->imgListView->ImageIndex(i), i);
  }
  // After a scan the tree takes input again and the cursor is the normal one.
  static void ExpectIdle() {
    EXPECT_TRUE(MainForm->ShellTreeView->isEnabled());
    EXPECT_EQ(Screen::Cursor(), TCursor::Default);
  }
};

TEST_F(FolderScanTest, StartsAtHomeWithoutScanning) {
  EXPECT_EQ(MainForm->ShellTreeView->Path(), QDir::homePath());
  QTest::qWait(300);  // the tree lists its folders in the background
  EXPECT_TRUE(MainForm->State.CurFolder.isEmpty());
  EXPECT_EQ(MainForm->ListView1->Count(), 0);
}

TEST_F(FolderScanTest, ListsMatchingEntriesInNameOrderWithThumbnails) {
  const QString folder = Folder(QStringLiteral("pics"));
  files.WriteJpeg(QStringLiteral("pics/c.jpg"), Solid(100, 200, qRgb(0, 0, 200)));
  files.WriteBmp(QStringLiteral("pics/b.bmp"), Solid(200, 100, qRgb(200, 0, 0)));
  files.WriteJpeg(QStringLiteral("pics/a.jpg"), Solid(50, 50, qRgb(0, 0, 200)));
  files.WriteBytes(QStringLiteral("pics/d.GIF"), "GIF89a");
  files.WriteJpeg(QStringLiteral("pics/e.Jpeg"), Solid(30, 20, qRgb(0, 0, 200)));
  files.WriteBytes(QStringLiteral("pics/g.wmf"), "x");
  files.WriteBytes(QStringLiteral("pics/notes.txt"), "x");
  files.WriteBytes(QStringLiteral("pics/x.png"), "x");
  QDir(folder).mkdir(QStringLiteral("z.jpg"));  // a folder whose name matches is listed too

  Scan(folder);
  EXPECT_EQ(MainForm->State.CurFolder, folder + QLatin1Char('/'));
  EXPECT_EQ(Captions(MainForm->ListView1), "a.jpg b.bmp c.jpg d.GIF e.Jpeg g.wmf z.jpg");
  ExpectAligned();
  ExpectIdle();
  EXPECT_EQ(MainForm->PageControl2->ActivePageIndex(), 1);

  const struct {
    int index;
    QRect painted;
  } tiles[] = {{0, QRect(QPoint(8, 8), QPoint(71, 70))},
               {1, QRect(QPoint(8, 24), QPoint(70, 55))},
               {2, QRect(QPoint(24, 8), QPoint(55, 70))}};
  for (const auto& t : tiles)
    EXPECT_EQ(PaintedBox(MainForm->ImageList.Image(t.index)), t.painted) << t.index;
  EXPECT_EQ(MainForm->ImageList.Image(3), ThumbnailTile::NoPicture().Image());
  EXPECT_EQ(MainForm->ImageList.Image(5), ThumbnailTile::NoPicture().Image());
  EXPECT_EQ(MainForm->ImageList.Image(6), ThumbnailTile::Unreadable().Image());
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(FolderScanTest, RootFolderKeepsASingleSlash) {
  Scan(QStringLiteral("/"));
  EXPECT_EQ(MainForm->ShellTreeView->Path(), QStringLiteral("/"));
  EXPECT_EQ(MainForm->State.CurFolder, QStringLiteral("/"));
  for (int i = 0; i < MainForm->ListView1->Count(); ++i)
    EXPECT_TRUE(QFileInfo::exists(MainForm->State.CurFolder + MainForm->ListView1->Caption(i)))
        << i;
  ExpectIdle();
}

TEST_F(FolderScanTest, DisabledScanOrAFolderThatIsGoneLeavesTheLists) {
  const QString a = Folder(QStringLiteral("a")), b = Folder(QStringLiteral("b"));
  files.WriteJpeg(QStringLiteral("a/one.jpg"), Solid(8, 8, 0));
  files.WriteJpeg(QStringLiteral("b/two.jpg"), Solid(8, 8, 0));
  Scan(a);
  ASSERT_EQ(Captions(MainForm->ListView1), "one.jpg");

  MainForm->State.ScanEnabled = false;
  Scan(b);
  EXPECT_EQ(MainForm->ShellTreeView->Path(), b);
  EXPECT_EQ(Captions(MainForm->ListView1), "one.jpg");
  MainForm->State.ScanEnabled = true;

  // The tree does not watch the disk: b is still there when it is chosen again.
  Scan(a);
  ASSERT_TRUE(QDir(b).removeRecursively());
  Scan(b);
  EXPECT_EQ(MainForm->ShellTreeView->Path(), b);
  EXPECT_EQ(MainForm->State.CurFolder, a + QLatin1Char('/'));
  EXPECT_EQ(Captions(MainForm->ListView1), "one.jpg");
  EXPECT_EQ(Captions(MainForm->imgListView), "one.jpg");
  ExpectIdle();
}

TEST_F(FolderScanTest, CurrentFileGivesPositionAndStatusPanels) {
  const QString abc = Folder(QStringLiteral("abc")), xy = Folder(QStringLiteral("xy")),
                none = Folder(QStringLiteral("none"));
  for (const char* name : {"abc/a.jpg", "abc/b.bmp", "abc/c.jpg", "xy/x.jpg", "xy/y.jpg"})
    files.WriteBmp(QString::fromLatin1(name), Solid(4, 4, 0));
  files.WriteBytes(QStringLiteral("none/readme.txt"), "x");
  MainForm->State.CurFileName = QStringLiteral("b.bmp");
  const struct {
    QString folder;
    int count;  // entries listed
    int index;
    const char* panel0;
  } steps[] = {
      {abc, 3, 2, "2/3"},
      // Nothing matches: the list is empty, position and status bar stay.
      {none, 0, 2, "2/3"},
      {xy, 2, 0, "0/2"},
  };
  for (const auto& s : steps) {
    Scan(s.folder);
    EXPECT_EQ(MainForm->ListView1->Count(), s.count) << s.panel0;
    EXPECT_EQ(MainForm->State.CurIndex, s.index) << s.panel0;
    EXPECT_EQ(MainForm->StatusBar->Text(0), QString::fromLatin1(s.panel0));
    EXPECT_EQ(MainForm->StatusBar->Text(1), QStringLiteral("b.bmp"));
    // The file information comes from the entry of that name, in abc only.
    EXPECT_EQ(MainForm->fedFilePath->Text(), abc + QLatin1Char('/')) << s.panel0;
  }
  // Names compare exactly.
  MainForm->State.CurFileName = QStringLiteral("B.bmp");
  Scan(abc);
  EXPECT_EQ(MainForm->State.CurIndex, 0);
  EXPECT_EQ(MainForm->StatusBar->Text(0), QStringLiteral("0/3"));
}

TEST_F(FolderScanTest, WithoutThumbnailsTheViewEmptiesAndTheNameListShows) {
  const QString one = Folder(QStringLiteral("one")), two = Folder(QStringLiteral("two"));
  files.WriteJpeg(QStringLiteral("one/a.jpg"), Solid(8, 8, 0));
  files.WriteJpeg(QStringLiteral("two/b.jpg"), Solid(8, 8, 0));
  files.WriteJpeg(QStringLiteral("two/c.jpg"), Solid(8, 8, 0));
  Scan(one);
  ASSERT_EQ(MainForm->imgListView->Count(), 1);
  MainForm->fcbUseSmallImg->SetChecked(false);
  Scan(two);
  EXPECT_EQ(Captions(MainForm->ListView1), "b.jpg c.jpg");
  EXPECT_EQ(MainForm->imgListView->Count(), 0);
  EXPECT_EQ(MainForm->PageControl2->ActivePageIndex(), 0);
  EXPECT_EQ(MainForm->PageControl2->PageCaption(0), QStringLiteral("列表"));
  ExpectIdle();
}

TEST_F(FolderScanTest, AnUnreadableFileGetsItsTileAndTheRestFollow) {
  const QString folder = Folder(QStringLiteral("mixed"));
  files.WriteBmp(QStringLiteral("mixed/a.bmp"), Solid(200, 100, qRgb(200, 0, 0)));
  files.WriteBytes(QStringLiteral("mixed/b.jpg"), "not a jpeg");
  files.WriteBytes(QStringLiteral("mixed/c.bmp"), "BM but nothing else");
  files.WriteJpeg(QStringLiteral("mixed/d.jpg"), Solid(100, 200, qRgb(0, 0, 200)));
  files.WriteBytes(QStringLiteral("mixed/e.gif"), "GIF89a");
  Scan(folder);
  ExpectAligned();
  ASSERT_EQ(MainForm->ImageList.Count(), 5);
  EXPECT_EQ(PaintedBox(MainForm->ImageList.Image(0)), QRect(QPoint(8, 24), QPoint(70, 55)));
  EXPECT_EQ(MainForm->ImageList.Image(1), ThumbnailTile::Unreadable().Image());
  EXPECT_EQ(MainForm->ImageList.Image(2), ThumbnailTile::Unreadable().Image());
  EXPECT_EQ(PaintedBox(MainForm->ImageList.Image(3)), QRect(QPoint(24, 8), QPoint(55, 70)));
  EXPECT_EQ(MainForm->ImageList.Image(4), ThumbnailTile::NoPicture().Image());
  EXPECT_TRUE(dialogs.messages.empty());
  ExpectIdle();
}

TEST_F(FolderScanTest, SelectionFollowsBetweenTheLists) {
  const QString folder = Folder(QStringLiteral("sel"));
  for (const char* name : {"sel/a.jpg", "sel/b.jpg", "sel/c.jpg"})
    files.WriteJpeg(QString::fromLatin1(name), Solid(8, 8, 0));
  Scan(folder);
  TListView *names = MainForm->ListView1, *thumbs = MainForm->imgListView;

  names->SelectAndFocus(2);
  EXPECT_EQ(thumbs->Selected(), 2);
  thumbs->SelectAndFocus(0);
  EXPECT_EQ(names->Selected(), 0);

  // A click on empty space of either list leaves both without a selection.
  struct Side {
    int page;
    TListView* clicked;
  };
  for (const Side& side : {Side{0, names}, Side{1, thumbs}}) {
    names->SelectAndFocus(1);
    ASSERT_EQ(thumbs->Selected(), 1);
    MainForm->PageControl2->SetActivePageIndex(side.page);
    ProcessEvents();
    QWidget* viewport = side.clicked->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {},
                      QPoint(viewport->width() - 5, viewport->height() - 5));
    EXPECT_EQ(names->Selected(), -1) << side.page;
    EXPECT_EQ(thumbs->Selected(), -1) << side.page;
  }

  // An entry that only one list has selects nothing in the other.
  names->Delete(0);
  names->SelectAndFocus(1);   // c.jpg
  thumbs->SelectAndFocus(0);  // a.jpg, gone from the names
  EXPECT_EQ(names->Selected(), 1);
}

TEST_F(FolderScanTest, DoubleClickOnAThumbnailSelectsTheNamedEntry) {
  const QString folder = Folder(QStringLiteral("dbl"));
  for (const char* name : {"dbl/a.jpg", "dbl/b.jpg", "dbl/c.jpg"})
    files.WriteJpeg(QString::fromLatin1(name), Solid(8, 8, 0));
  Scan(folder);
  TListView *names = MainForm->ListView1, *thumbs = MainForm->imgListView;
  names->Delete(0);  // names: b, c; thumbnails: a, b, c
  ProcessEvents();

  thumbs->SelectAndFocus(2);
  names->ClearSelection();
  const QPoint c = thumbs->visualItemRect(thumbs->item(2)).center();
  QTest::mouseDClick(thumbs->viewport(), Qt::LeftButton, {}, c);
  EXPECT_EQ(names->Selected(), 1);

  // Without an entry of the same name nothing changes.
  thumbs->SelectAndFocus(0);
  MainForm->imgListViewDblClick();
  EXPECT_EQ(names->Selected(), 1);
}

TEST_F(FolderScanTest, HidingAndShowingTheListPanel) {
  const QString hidden = QStringLiteral("列表查看(&L)"), shown = QStringLiteral("隐藏列表(&L)");
  const struct {
    const char* how;
    std::function<void()> act;
    bool visible;
  } steps[] = {
      {"panel button", [] { QTest::mouseClick(MainForm->SpeedButton2, Qt::LeftButton); }, false},
      {"View menu", [] { menuViewForm->Label5Click(); }, true},
      {"picture menu", [] { PopupMainForm->Label6Click(); }, false},
      {"tool button", [] { QTest::mouseClick(MainForm->sbtnList, Qt::LeftButton); }, true},
      {"tool button", [] { QTest::mouseClick(MainForm->sbtnList, Qt::LeftButton); }, false},
      {"panel button", [] { MainForm->SpeedButton2Click(); }, false},
      {"tool button", [] { MainForm->sbtnListClick(); }, true},
  };
  for (const auto& s : steps) {
    s.act();
    EXPECT_EQ(MainForm->Panel1->Visible(), s.visible) << s.how;
    EXPECT_EQ(MainForm->sbtnList->Flat(), !s.visible) << s.how;
    EXPECT_EQ(MainForm->sbtnList->Hint(),
              s.visible ? QStringLiteral("隐藏列表") : QStringLiteral("显示列表"))
        << s.how;
    EXPECT_EQ(menuViewForm->Label5->Caption(), s.visible ? shown : hidden) << s.how;
    EXPECT_EQ(PopupMainForm->Label6->Caption(), s.visible ? shown : hidden) << s.how;
    // The picture area takes the panel's place.
    EXPECT_EQ(MainForm->scrboxBack->Left(), s.visible ? 222 : 2) << s.how;
  }
}

TEST_F(FolderScanTest, ANewScanSupersedesTheOneInProgress) {
  const QString busy = BusyFolder(QStringLiteral("busy"), kBusyFiles);
  const QString small = Folder(QStringLiteral("small"));
  for (const char* name : {"small/a.jpg", "small/b.bmp", "small/c.gif"})
    files.WriteBmp(QString::fromLatin1(name), Solid(8, 8, 0));

  // The second scan starts while the first lists its files, or once its first tile is in.
  for (const bool duringThumbnails : {false, true}) {
    SCOPED_TRACE(duringThumbnails ? "during thumbnails" : "during listing");
    MainForm->State.ScanEnabled = false;
    Scan(QDir::homePath());
    MainForm->State.ScanEnabled = true;
    int thumbnailsAtSecondScan = -1;
    auto second = [&] {
      thumbnailsAtSecondScan = MainForm->imgListView->Count();
      Scan(small);
    };
    QMetaObject::Connection trigger;
    if (duringThumbnails) {
      trigger = QObject::connect(MainForm->imgListView->model(), &QAbstractItemModel::rowsInserted,
                                 MainForm, [&] {
                                   QObject::disconnect(trigger);
                                   QTimer::singleShot(0, MainForm, second);
                                 });
    } else {
      QTimer::singleShot(0, MainForm, second);
    }
    Scan(busy);
    ASSERT_GE(thumbnailsAtSecondScan, 0);
    if (duringThumbnails) {
      EXPECT_LT(thumbnailsAtSecondScan, kBusyFiles);
    }
    for (int round = 0; round < 2; ++round) {
      EXPECT_EQ(MainForm->State.CurFolder, small + QLatin1Char('/'));
      EXPECT_EQ(Captions(MainForm->ListView1), "a.jpg b.bmp c.gif");
      ExpectAligned();
      ExpectIdle();
      QTest::qWait(200);  // whatever the first scan left queued must change nothing
    }
  }
}

// The open command lists its folder with the message loop running; a folder chosen in
// the tree meanwhile (the tree is disabled then, so the scan is run as its change would
// run it) takes the lists over, and the open command leaves them to it.
TEST_F(FolderScanTest, AFolderScannedDuringOpenHasTheListsToItself) {
  const QString opened = Folder(QStringLiteral("opened"));
  const QString chosen = Folder(QStringLiteral("chosen"));
  for (const char* name : {"opened/a1.jpg", "opened/a2.jpg", "chosen/b1.jpg"})
    files.WriteJpeg(QString::fromLatin1(name), Solid(8, 8, 0));
  for (const char* name : {"opened/a3.bmp", "opened/a4.bmp", "chosen/b2.bmp", "chosen/b3.bmp"})
    files.WriteBmp(QString::fromLatin1(name), Solid(8, 8, 0));

  bool treeWasEnabled = true, scanned = false;
  QTimer::singleShot(0, MainForm, [&] {
    treeWasEnabled = MainForm->ShellTreeView->isEnabled();
    MainForm->State.ScanEnabled = false;
    Scan(chosen);
    MainForm->State.ScanEnabled = true;
    MainForm->ShellTreeViewChange();
    scanned = true;
  });
  dialogs.AnswerFile(opened + QStringLiteral("/a1.jpg"));
  MainForm->sbtnOpenClick();
  ASSERT_TRUE(scanned);
  EXPECT_FALSE(treeWasEnabled);
  EXPECT_EQ(MainForm->State.CurFolder, chosen + QLatin1Char('/'));
  EXPECT_EQ(Captions(MainForm->ListView1), "b1.jpg b2.bmp b3.bmp");
  ExpectAligned();
  ExpectIdle();
}

// Moving or deleting entries while the tiles arrive would part the lists: the tiles are
// placed by the positions the build started from. The list-editing buttons wait for the
// build; afterwards they work on lists that match.
TEST_F(FolderScanTest, ListEditingWaitsForTheThumbnails) {
  const QString folder = Folder(QStringLiteral("colours"));
  const int n = 12;
  auto colour = [](int i) { return qRgb(i * 20, 255 - i * 20, 90); };
  for (int i = 0; i < n; ++i)
    files.WriteBmp(QStringLiteral("colours/c%1.bmp").arg(i, 2, 10, QLatin1Char('0')),
                   Solid(40, 30, colour(i)));

  // At the first tile, with more to come: select the first entry and click the three
  // editing buttons as a user would.
  bool enabledDuringBuild = true;
  QMetaObject::Connection trigger;
  trigger = QObject::connect(
      MainForm->imgListView->model(), &QAbstractItemModel::rowsInserted, MainForm, [&] {
        QObject::disconnect(trigger);
        MainForm->ListView1->SelectAndFocus(0);
        for (TSpeedButton* b :
             {MainForm->sbtnListDown, MainForm->sbtnListUp, MainForm->sbtnListDel}) {
          enabledDuringBuild = enabledDuringBuild && b->isEnabled();
          QTest::mouseClick(b, Qt::LeftButton);
        }
      });
  Scan(folder);
  EXPECT_FALSE(enabledDuringBuild);

  // Every thumbnail shows its own file's colour.
  auto expectTilesMatchNames = [&] {
    ExpectAligned();
    for (int i = 0; i < MainForm->imgListView->Count(); ++i) {
      const int file = MainForm->imgListView->Caption(i).mid(1, 2).toInt();
      Bitmap tile;
      MainForm->ImageList.GetBitmap(MainForm->imgListView->ImageIndex(i), tile);
      EXPECT_EQ(tile.Image().pixel(40, 40) & 0xFFFFFF, colour(file) & 0xFFFFFF) << i;
    }
  };
  EXPECT_EQ(MainForm->ListView1->Count(), n);
  expectTilesMatchNames();

  // Once the build is done the buttons work, and the lists stay matched.
  for (TSpeedButton* b : {MainForm->sbtnListUp, MainForm->sbtnListDown, MainForm->sbtnListDel})
    EXPECT_TRUE(b->isEnabled());
  MainForm->ListView1->SelectAndFocus(3);
  QTest::mouseClick(MainForm->sbtnListDown, Qt::LeftButton);
  QTest::mouseClick(MainForm->sbtnListDel, Qt::LeftButton);
  EXPECT_EQ(MainForm->ListView1->Count(), n - 1);
  expectTilesMatchNames();
}

TEST_F(FolderScanTest, TheWindowMayGoWhileThumbnailsAreBuilt) {
  const QString busy = BusyFolder(QStringLiteral("busy"), kBusyFiles);
  ScanClosingAtTheFirstTile(busy);
  EXPECT_EQ(MainForm, nullptr);
  EXPECT_EQ(Screen::Cursor(), TCursor::Default);
  QTest::qWait(100);
}

// Folder entries made to hurt: none of them may freeze the scan or the window, take
// the memory of the machine, or say more than that the picture cannot be shown.
TEST_F(FolderScanTest, AHostileFolderIsListedAndEachEntryOnlyGivesItsError) {
  const QString folder = Folder(QStringLiteral("hostile"));
  const auto path = [&](const char* name) {
    return folder + QLatin1Char('/') + QLatin1String(name);
  };
  const auto write = [&](const char* name, const QByteArray& bytes) {
    files.WriteBytes(QStringLiteral("hostile/") + QLatin1String(name), bytes);
  };
  ASSERT_TRUE(HostileFiles::MakeFifo(path("fifo.jpg")));
  const int socket = HostileFiles::MakeSocket(path("socket.bmp"));
  ASSERT_GE(socket, 0);
  ASSERT_TRUE(QDir().mkdir(path("folder.jpg")));
  ASSERT_TRUE(HostileFiles::MakeLink(path("gone.ico"), path("dangling.ico")));
  write("rle.bmp", HostileFiles::RleBmp(16384, 16384));
  write("prog.jpg", HostileFiles::ProgressiveJpegClaiming(16384, 16384));
  write("tiny.gif", HostileFiles::TinyGifClaiming(16000, 16000));
  write("overflow.ico", HostileFiles::IconClaimingPng(3486502863u));
  write("flood.ico", HostileFiles::IconFlood(40, HostileFiles::BlackPng(4096), 4096));
  const struct {
    const char* name;
    bool opens;
  } entries[] = {{"dangling.ico", false}, {"fifo.jpg", false},     {"flood.ico", true},
                 {"folder.jpg", false},   {"overflow.ico", false}, {"prog.jpg", false},
                 {"rle.bmp", false},      {"socket.bmp", false},   {"tiny.gif", false}};

  const PeakMemory peak;
  Scan(folder);
  ExpectAligned();
  ExpectIdle();
  ASSERT_EQ(MainForm->ListView1->Count(), int(std::size(entries)));
  const QImage unreadable = ThumbnailTile::Unreadable().Image();
  for (const auto& e : entries) {
    SCOPED_TRACE(e.name);
    const int index = MainForm->ListView1->IndexOfCaption(QLatin1String(e.name));
    ASSERT_GE(index, 0);
    EXPECT_EQ(MainForm->ImageList.Image(index) == unreadable, !e.opens);
  }
  EXPECT_TRUE(dialogs.messages.empty());

  for (const auto& e : entries) {
    SCOPED_TRACE(e.name);
    dialogs.messages.clear();
    ListHelpers::LoadFromList(QLatin1String(e.name));
    if (e.opens) {
      EXPECT_TRUE(dialogs.messages.empty());
      EXPECT_EQ(MainForm->State.PicWidth, 4096);
    } else {
      ASSERT_EQ(dialogs.messages.size(), 1u);
      EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("图象文件错误!"));
    }
    EXPECT_EQ(MainForm->State.CurFileName, QLatin1String(e.name));
  }
  // Scanning, building and opening all of it: the shown icon (64 MiB of pixels, with its
  // working copies) is the largest cost; each tiny file claims a gigabyte or more.
  if (peak.Works()) {
    EXPECT_LT(peak.GrowthBytes(), qint64(768) << 20);
  }

  ::close(socket);

  // The window may go while such entries are being built: pipes first, where a blocked
  // open would hold the workers that closing waits for.
  const QString busy = BusyFolder(QStringLiteral("busy"), kBusyFiles);
  for (const char* name : {"a0.jpg", "a1.bmp", "a2.ico", "a3.gif"})
    ASSERT_TRUE(HostileFiles::MakeFifo(busy + QLatin1Char('/') + QLatin1String(name)));
  ScanClosingAtTheFirstTile(busy);
  EXPECT_EQ(MainForm, nullptr);
}
