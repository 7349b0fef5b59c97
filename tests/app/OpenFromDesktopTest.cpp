// Opening what the desktop hands over: a path or file URI on the command line and items
// dropped onto the main window open as a click in the tree and a double click on the list
// entry would; what cannot be opened is named with its reason and changes nothing.
#include <unistd.h>

#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "FormsTest.h"

namespace {

std::string Captions(const TListView* list) {
  QStringList out;
  for (int i = 0; i < list->Count(); ++i) out << list->Caption(i);
  return out.join(QLatin1Char(' ')).toStdString();
}

}  // namespace

class OpenFromDesktopTest : public FormsTest {
 protected:
  // A folder of three pictures, with a space and Chinese in its name, and a text file.
  void SetUp() override {
    FormsTest::SetUp();
    QDir(files.Folder()).mkpath(kFolder);
    files.WriteBmp(kFolder + QStringLiteral("/a.bmp"), TestFiles::Pattern(40, 30));
    files.WriteJpeg(kFolder + QStringLiteral("/b 图.jpg"), TestFiles::Pattern(120, 90));
    files.WriteBmp(kFolder + QStringLiteral("/c.bmp"), TestFiles::Pattern(50, 20));
    files.WriteBytes(kFolder + QStringLiteral("/notes.txt"), "not a picture");
    folder = files.Path(kFolder);
  }

  // What opening changes, to compare before and after a refused one.
  struct Seen {
    std::string names;
    QString tree, curFolder, curFile;
    int curIndex;
    bool operator==(const Seen&) const = default;
  };
  static Seen Now() {
    return {Captions(MainForm->ListView1), MainForm->ShellTreeView->Path(),
            MainForm->State.CurFolder, MainForm->State.CurFileName, MainForm->State.CurIndex};
  }

  // The lists of folder, nothing shown.
  void ExpectFolderShown() {
    EXPECT_EQ(MainForm->ShellTreeView->Path(), folder);
    EXPECT_EQ(MainForm->State.CurFolder, folder + QLatin1Char('/'));
    EXPECT_EQ(Captions(MainForm->ListView1), "a.bmp b 图.jpg c.bmp");
    EXPECT_EQ(MainForm->imgListView->Count(), 3);
  }
  // The second picture of the folder shown as a double click on its entry shows it.
  void ExpectSecondPictureShown() {
    ExpectFolderShown();
    EXPECT_EQ(MainForm->State.CurFileName, QStringLiteral("b 图.jpg"));
    EXPECT_EQ(MainForm->State.CurIndex, 2);
    EXPECT_EQ(MainForm->State.PicWidth, 120);
    EXPECT_EQ(MainForm->ListView1->Selected(), 1);
    EXPECT_EQ(MainForm->imgListView->Selected(), 1);
    EXPECT_EQ(MainForm->StatusBar->Text(0), QStringLiteral("2/3"));
    EXPECT_EQ(MainForm->StatusBar->Text(1), QStringLiteral("b 图.jpg"));
    EXPECT_EQ(MainForm->fedFileName->Text(), QStringLiteral("b 图.jpg"));
    EXPECT_TRUE(dialogs.messages.empty());
  }

  static void Drop(const QList<QUrl>& urls, bool accepted) {
    QMimeData data;
    data.setUrls(urls);
    const QPoint at = MainForm->scrboxBack->mapTo(MainForm, QPoint(20, 20));
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(MainForm, &enter);
    EXPECT_EQ(enter.isAccepted(), accepted);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(MainForm, &drop);
    ProcessEvents();
  }

  static inline const QString kFolder = QStringLiteral("my pictures 图片");
  QString folder;
};

TEST_F(OpenFromDesktopTest, ArgumentsOpenAFolderOrAPictureInItsFolder) {
  const QString encoded = QString::fromUtf8(QUrl::fromLocalFile(folder).toEncoded());
  const struct {
    const char* name;
    QString argument, working;
    bool picture;
  } cases[] = {
      {"folder", folder, QDir::rootPath(), false},
      {"folder with a trailing slash", folder + QLatin1Char('/'), QDir::rootPath(), false},
      {"picture", folder + QStringLiteral("/b 图.jpg"), QDir::rootPath(), true},
      {"file URI, escaped", encoded + QStringLiteral("/b%20%E5%9B%BE.jpg"), QDir::rootPath(), true},
      {"relative to the working folder", kFolder + QStringLiteral("/b 图.jpg"), files.Folder(),
       true},
      {"relative, with dots", QStringLiteral("./x/../") + kFolder, files.Folder(), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    // Start elsewhere each time, so that every case has to scan.
    MainForm->ShellTreeView->SetPath(files.Folder());
    ProcessEvents();
    dialogs.messages.clear();
    MainForm->OpenArgument(c.argument, c.working);
    if (c.picture) {
      ExpectSecondPictureShown();
    } else {
      ExpectFolderShown();
      EXPECT_TRUE(dialogs.messages.empty());
    }
  }
}

TEST_F(OpenFromDesktopTest, WhatCannotBeOpenedIsNamedWithItsReason) {
  const bool root = ::geteuid() == 0;
  const QString locked = files.Path(QStringLiteral("locked"));
  QDir().mkpath(locked);
  const QString lockedFile =
      files.WriteBmp(QStringLiteral("locked/x.bmp"), TestFiles::Pattern(4, 4));
  QFile::setPermissions(lockedFile, QFileDevice::WriteOwner);
  const struct {
    const char* name;
    QString argument;
    const char* reason;  // in the message; nullptr: no message at all
    bool scansFolder;    // the folder is shown even so
    bool asRootOnly;     // false: only as an ordinary user (root reads everything)
  } cases[] = {
      {"missing", files.Path(QStringLiteral("gone.jpg")), "不存在", false, true},
      {"missing folder", files.Path(QStringLiteral("gone/")), "不存在", false, true},
      {"web address", QStringLiteral("https://example.invalid/a.jpg"), "本机", false, true},
      {"text file", folder + QStringLiteral("/notes.txt"), "不支持", true, true},
      {"unreadable", lockedFile, "没有读取权限", false, false},
  };
  MainForm->ShellTreeView->SetPath(files.Folder());
  ProcessEvents();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (!c.asRootOnly && root) continue;  // root reads a file whatever its permissions
    dialogs.messages.clear();
    const Seen before = Now();
    MainForm->OpenArgument(c.argument, QDir::rootPath());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    const QString text = dialogs.messages[0].text;
    EXPECT_TRUE(
        text.contains(c.argument.endsWith(QLatin1Char('/')) ? c.argument.chopped(1) : c.argument))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromUtf8(c.reason))) << text.toStdString();
    if (c.scansFolder) {
      ExpectFolderShown();
      EXPECT_TRUE(MainForm->State.CurFileName.isEmpty());
    } else {
      EXPECT_EQ(Now(), before);
    }
  }
}

TEST_F(OpenFromDesktopTest, DropsOpenTheFirstLocalItem) {
  const QUrl picture = QUrl::fromLocalFile(folder + QStringLiteral("/b 图.jpg"));
  const QUrl other = QUrl::fromLocalFile(folder + QStringLiteral("/c.bmp"));
  // A web address is refused: the cursor says no, and a drop does nothing.
  const Seen start = Now();
  Drop({QUrl(QStringLiteral("https://example.invalid/a.jpg")), picture}, false);
  EXPECT_EQ(Now(), start);

  Drop({QUrl::fromLocalFile(folder)}, true);
  ExpectFolderShown();
  EXPECT_TRUE(MainForm->State.CurFileName.isEmpty());

  MainForm->ShellTreeView->SetPath(files.Folder());
  ProcessEvents();
  Drop({picture, other}, true);
  ExpectSecondPictureShown();
}
