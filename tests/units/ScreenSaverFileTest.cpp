// The screen-saver file: the bytes a new file gets, what a write over an older file keeps
// and drops, names and paths the format cannot hold, and reading back.
#include <gtest/gtest.h>

#include <QFile>

#include "TestFiles.h"
#include "picture/PictureError.h"
#include "tools/ScreenSaverFile.h"

namespace {

QByteArray Bytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QByteArray Gbk(const char* utf8) {
  // The two key names in code page 936.
  QByteArray s(utf8);
  s.replace("动画", "\xB6\xAF\xBB\xAD");
  s.replace("显示", "\xCF\xD4\xCA\xBE");
  return s;
}

ScreenSaverFile::Show Example(const QString& folder) {
  ScreenSaverFile::Show show;
  show.effect = 4;
  show.display = 3;
  show.seconds = 8;
  show.folder = folder;
  show.names = {QStringLiteral("a.jpg"), QStringLiteral("b.bmp"), QStringLiteral("c.jpg")};
  return show;
}

}  // namespace

TEST(ScreenSaverFile, NewFileHoldsExactlyTheShowInGbk) {
  TestFiles files;
  const QString path = files.Path(QStringLiteral("show.pss"));
  ScreenSaverFile::Write(path, Example(QStringLiteral("/pics/")));
  EXPECT_EQ(Bytes(path), Gbk("[ScreenSafe]\r\n动画=4\r\n显示=3\r\nTime=8\r\nMusic=\r\n"
                             "FilePath=/pics/\r\n[FileName]\r\n0=a.jpg\r\n1=b.bmp\r\n2=c.jpg\r\n"));

  const ScreenSaverFile::Show back = ScreenSaverFile::Read(path);
  EXPECT_EQ(back.effect, 4);
  EXPECT_EQ(back.display, 3);
  EXPECT_EQ(back.seconds, 8);
  EXPECT_EQ(back.music, QString());
  EXPECT_EQ(back.folder, QStringLiteral("/pics/"));
  EXPECT_EQ(back.names, Example({}).names);
}

TEST(ScreenSaverFile, RewriteListsOnlyTheNewNamesAndKeepsTheRest) {
  TestFiles files;
  const QString path = files.Path(QStringLiteral("show.pss"));
  files.WriteBytes(QStringLiteral("show.pss"),
                   Gbk("; made by hand\r\n[Other]\r\nx = 1\r\n[ScreenSafe]\r\n显示=2\r\n"
                       "[FileName]\r\n0=old0.jpg\r\n1=old1.jpg\r\n2=old2.jpg\r\n3=old3.jpg\r\n"
                       "4=old4.jpg\r\n\r\n; end\r\n"));
  ScreenSaverFile::Show show = Example(QStringLiteral("/pics/"));
  show.display.reset();  // a zoomed picture: no display mode written
  ScreenSaverFile::Write(path, show);

  const QByteArray bytes = Bytes(path);
  EXPECT_TRUE(bytes.startsWith("; made by hand\r\n[Other]\r\nx = 1\r\n[ScreenSafe]\r\n"))
      << bytes.toStdString();
  EXPECT_TRUE(bytes.endsWith("\r\n; end\r\n")) << bytes.toStdString();
  EXPECT_FALSE(bytes.contains("old")) << bytes.toStdString();
  const ScreenSaverFile::Show back = ScreenSaverFile::Read(path);
  EXPECT_EQ(back.display, 2);  // the older value stays
  EXPECT_EQ(back.names, show.names);
}

TEST(ScreenSaverFile, WhatTheFormatCannotHold) {
  TestFiles files;
  const QString path = files.Path(QStringLiteral("show.pss"));
  // Names with a line break are left out, the keys stay without gaps.
  ScreenSaverFile::Show show = Example(QStringLiteral("/pics/"));
  show.names = {QStringLiteral("a.jpg"), QStringLiteral("two\nlines.jpg"),
                QStringLiteral("cr\r.jpg"), QStringLiteral(" b .jpg"), QStringLiteral("\"q\"")};
  ScreenSaverFile::Write(path, show);
  EXPECT_EQ(
      ScreenSaverFile::Read(path).names,
      (QStringList{QStringLiteral("a.jpg"), QStringLiteral(" b .jpg"), QStringLiteral("\"q\"")}));

  // A folder or music path with one: nothing is written and the error names the file.
  const QByteArray before = Bytes(path);
  for (const bool inMusic : {false, true}) {
    ScreenSaverFile::Show bad = Example(QStringLiteral("/pics/"));
    (inMusic ? bad.music : bad.folder) = QStringLiteral("/a\nb/");
    try {
      ScreenSaverFile::Write(path, bad);
      ADD_FAILURE() << "written";
    } catch (const PictureError& e) {
      EXPECT_TRUE(QString::fromStdString(e.what()).contains(path)) << e.what();
    }
    EXPECT_EQ(Bytes(path), before);
  }
}

TEST(ScreenSaverFile, ReadingDefaultsAndOddFiles) {
  TestFiles files;
  struct Case {
    const char* name;
    QByteArray bytes;  // empty: no file
    int effect;
    std::optional<int> display;
    int seconds;
    QStringList names;
  } cases[] = {
      {"missing", {}, 0, 1, 5, {}},
      {"not numbers", Gbk("[ScreenSafe]\n动画=x\n显示=\nTime=8s\n"), 0, 1, 5, {}},
      {"out of range kept for the caller",
       Gbk("[ScreenSafe]\r动画=7\r显示=9\rTime=0\r"),
       7,
       9,
       0,
       {}},
      // Counted as lines, read by number: a gap shortens the list, an empty value is
      // skipped, a foreign key counts but is not read.
      {"gaps and empties",
       "[FileName]\n0=a.jpg\n1=\n3=d.jpg\nx=e.jpg\n2=c.jpg\n",
       0,
       1,
       5,
       {QStringLiteral("a.jpg"), QStringLiteral("c.jpg"), QStringLiteral("d.jpg")}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString name = QString::fromLatin1(c.name) + QStringLiteral(".pss");
    const QString path = c.bytes.isEmpty() ? files.Path(name) : files.WriteBytes(name, c.bytes);
    const ScreenSaverFile::Show show = ScreenSaverFile::Read(path);
    EXPECT_EQ(show.effect, c.effect);
    EXPECT_EQ(show.display, c.display);
    EXPECT_EQ(show.seconds, c.seconds);
    EXPECT_EQ(show.names, c.names);
  }
}
