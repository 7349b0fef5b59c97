// The file information panel: size, times, attributes, the panel toggle and the file
// manager's properties dialog.
#include <sys/stat.h>
#include <sys/xattr.h>
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDateTime>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include "FormsTest.h"
#include "ListHelpers.h"
#include "platform/DosTime.h"
#include "platform/FileAttributes.h"
#include "platform/FileManager.h"
#include "platform/FileStatus.h"

using FileInfoTest = FormsTest;

namespace {

qint64 LocalSeconds(int y, int mo, int d, int h, int mi, int s) {
  return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::LocalTime).toSecsSinceEpoch();
}

void SetFileTime(const QString& path, QFileDevice::FileTime which, qint64 seconds) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  ASSERT_TRUE(file.setFileTime(QDateTime::fromSecsSinceEpoch(seconds), which));
}

}  // namespace

TEST_F(FileInfoTest, SizeIsShownInKilobytesRoundedUp) {
  const struct {
    int bytes;
    const char* text;
  } cases[] = {{0, "0K"}, {1, "1K"}, {1024, "1K"}, {1025, "2K"}, {153 * 1024, "153K"}};
  MainForm->State.CurFolder = files.Folder() + QLatin1Char('/');
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bytes);
    MainForm->State.CurFileName = QStringLiteral("f%1.dat").arg(c.bytes);
    const QString path = files.WriteBytes(MainForm->State.CurFileName, QByteArray(c.bytes, 'a'));
    MainForm->FileInfo->ShowFileInformation(QFileInfo(path));
    EXPECT_EQ(MainForm->lblFileSize->Caption(), QString::fromUtf8(c.text));
    EXPECT_EQ(MainForm->StatusBar->Text(2), QString::fromUtf8(c.text));
    EXPECT_EQ(MainForm->fedFileName->Text(), MainForm->State.CurFileName);
    EXPECT_EQ(MainForm->fedFilePath->Text(), MainForm->State.CurFolder);
  }
  // The full 64-bit length counts.
  EXPECT_EQ(FileStatus::SizeText((quint64(1) << 40) + 1), QStringLiteral("1073741825K"));
}

TEST_F(FileInfoTest, TimesAreLocalWithTwoSecondResolution) {
  const QString path = files.WriteBytes(QStringLiteral("t.jpg"), QByteArray(10, 'a'));
  SetFileTime(path, QFileDevice::FileModificationTime, LocalSeconds(2024, 5, 6, 10, 15, 37));
  // Before 1980 the DOS format has no room for the access time.
  SetFileTime(path, QFileDevice::FileAccessTime, LocalSeconds(1975, 3, 1, 8, 0, 0));
  MainForm->State.CurFolder = files.Folder() + QLatin1Char('/');
  MainForm->State.CurFileName = QStringLiteral("t.jpg");

  MainForm->FileInfo->ShowFileInformation(QFileInfo(path));
  EXPECT_EQ(MainForm->lblWriteTime->Caption(), QStringLiteral("2024-05-06 10:15:36"));
  EXPECT_EQ(MainForm->StatusBar->Text(4), QStringLiteral("修改时间: 2024-05-06 10:15:36"));
  EXPECT_EQ(MainForm->lblAccessTime->Caption(), DosTime::UnknownText());
  // The birth time where the file system records it.
  const QDateTime born = QFileInfo(path).birthTime();
  const QString bornText = born.isValid() ? born.addSecs(-(born.time().second() % 2))
                                                .toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"))
                                          : DosTime::UnknownText();
  EXPECT_EQ(MainForm->lblCreateTime->Caption(), bornText);

  // A file that vanished leaves the fields as they were.
  QFile::remove(path);
  MainForm->State.CurFileName = QStringLiteral("gone.jpg");
  MainForm->FileInfo->ShowFileInformation(QFileInfo(path));
  EXPECT_EQ(MainForm->lblWriteTime->Caption(), QStringLiteral("2024-05-06 10:15:36"));
  EXPECT_EQ(MainForm->fedFileName->Text(), QStringLiteral("t.jpg"));
}

TEST_F(FileInfoTest, AttributeBoxes) {
  struct Case {
    const char* name;
    mode_t mode;
    const char* dosAttrib;  // Samba's extended attribute, nullptr for none
    bool readOnly, hidden, archive;
  };
  const Case cases[] = {
      {"plain.jpg", 0644, nullptr, false, false, false},
      {"locked.jpg", 0444, nullptr, true, false, false},
      {".secret.jpg", 0644, "0x20", false, true, true},
      {".both.jpg", 0444, "0x0", true, true, false},
      {"samba.jpg", 0644, "0x21", false, false, true},
  };
  const QString probe = files.WriteBytes(QStringLiteral("probe"), "x");
  const bool xattrs =
      setxattr(probe.toLocal8Bit().constData(), "user.DOSATTRIB", "0x20", 5, 0) == 0;

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.dosAttrib && !xattrs) continue;  // the file system keeps no extended attributes
    const QByteArray path = files.WriteBytes(QString::fromUtf8(c.name), "x").toLocal8Bit();
    if (c.dosAttrib) {
      // As Samba writes it: the hexadecimal text, then a binary record.
      const QByteArray value = QByteArray(c.dosAttrib) + '\0' + QByteArray("\x05\x00\x01\x00", 4);
      ASSERT_EQ(
          setxattr(path.constData(), "user.DOSATTRIB", value.constData(), size_t(value.size()), 0),
          0);
    }
    ASSERT_EQ(chmod(path.constData(), c.mode), 0);
    // Every box starts checked, so a box that is never written shows up.
    for (TCheckBox* box : {MainForm->fcbReadOnly, MainForm->fcbHidden, MainForm->fcbArchive})
      box->SetChecked(true);
    MainForm->FileInfo->ShowAttributes(QString::fromLocal8Bit(path));
    EXPECT_EQ(MainForm->fcbReadOnly->Checked(), c.readOnly);
    EXPECT_EQ(MainForm->fcbHidden->Checked(), c.hidden);
    EXPECT_EQ(MainForm->fcbArchive->Checked(), c.archive);
  }

  MainForm->fcbHidden->SetChecked(true);
  MainForm->FileInfo->ShowAttributes(files.Path(QStringLiteral(".missing.jpg")));
  EXPECT_FALSE(MainForm->fcbHidden->Checked());
}

TEST_F(FileInfoTest, PanelToggleClosesTheViewMenuAndGivesBackThePictureArea) {
  const int width = MainForm->scrboxBack->Width();
  for (bool shown : {true, false}) {
    MainForm->State.MenuOpen = true;
    menuViewForm->PopupAt(MainForm->Left(), MainForm->Top());
    MainForm->Commands.PictureProperties.Run();
    EXPECT_EQ(MainForm->Panel2->Visible(), shown);
    EXPECT_FALSE(menuViewForm->isVisible());
    EXPECT_FALSE(MainForm->State.MenuOpen);
    EXPECT_EQ(MainForm->scrboxBack->Width(), shown ? width - 153 : width);
  }
}
