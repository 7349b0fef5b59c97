// Saving: complete files only, the old file kept when a save fails.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <functional>

#include "FileSizeLimit.h"
#include "TestFiles.h"
#include "picture/FileSaver.h"
#include "picture/PictureError.h"

namespace {

QByteArray Contents(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

}  // namespace

TEST(FileSaver, WritesAndReplaces) {
  TestFiles files;
  const QString path = files.Path(QStringLiteral("out.bin"));
  FileSaver::Write(path, "first");
  EXPECT_EQ(Contents(path), "first");
  FileSaver::Write(path, "second, longer");
  EXPECT_EQ(Contents(path), "second, longer");
  // No temporary files left beside it.
  EXPECT_EQ(QDir(files.Folder()).entryList(QDir::Files), QStringList{"out.bin"});
}

TEST(FileSaver, FailedWriteRaisesAndKeepsOldFile) {
  const QByteArray big(256 * 1024, 'n');
  struct Case {
    const char* name;
    // Prepares the failure; returns the target path. Any file it leaves there must survive.
    std::function<QString(TestFiles&)> target;
  };
  const Case cases[] = {
      {"missing folder", [](TestFiles& f) { return f.Path(QStringLiteral("no/such/dir/x.bmp")); }},
      {"target is a folder",
       [](TestFiles& f) {
         QDir(f.Folder()).mkdir(QStringLiteral("taken.bmp"));
         return f.Path(QStringLiteral("taken.bmp"));
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestFiles files;
    const QString path = c.target(files);
    const QByteArray before = Contents(path);
    try {
      FileSaver::Write(path, big);
      ADD_FAILURE() << "no error";
    } catch (const PictureError& e) {
      EXPECT_NE(std::string(e.what()).find(path.toStdString()), std::string::npos) << e.what();
    }
    EXPECT_EQ(Contents(path), before);
  }
}

TEST(FileSaver, DiskFullKeepsOldFile) {
  // Past the limit in one write, and in the last of several: either way the reason is
  // the system's own, not "Unknown error".
  for (const int size : {1 << 20, 10000}) {
    SCOPED_TRACE(size);
    TestFiles files;
    const QString path = files.WriteBytes(QStringLiteral("keep.bmp"), "old contents");
    bool raised = false;
    std::string message;
    {
      FileSizeLimit limit(4096);
      try {
        FileSaver::Write(path, QByteArray(size, 'n'));
      } catch (const PictureError& e) {
        raised = true;
        message = e.what();
      }
    }
    EXPECT_TRUE(raised);
    EXPECT_NE(message.find("keep.bmp"), std::string::npos) << message;
    EXPECT_NE(message.find("File too large"), std::string::npos) << message;
    EXPECT_EQ(Contents(path), "old contents");
    EXPECT_EQ(QDir(files.Folder()).entryList(QDir::Files), QStringList{"keep.bmp"});
  }
}

TEST(FileSaver, ReadOnlyFolderAsOrdinaryUser) {
  if (geteuid() == 0) GTEST_SKIP() << "permissions do not stop root";
  TestFiles files;
  QDir(files.Folder()).mkdir(QStringLiteral("ro"));
  const QString path = files.WriteBytes(QStringLiteral("ro/x.bmp"), "old");
  QFile::setPermissions(files.Path(QStringLiteral("ro")), QFile::ReadOwner | QFile::ExeOwner);
  EXPECT_THROW(FileSaver::Write(path, "new"), PictureError);
  EXPECT_EQ(Contents(path), "old");
  QFile::setPermissions(files.Path(QStringLiteral("ro")),
                        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(FileSaver, Copy) {
  TestFiles files;
  const QString from = files.WriteBytes(QStringLiteral("a.jpg"), QByteArray(3 << 20, 'a'));
  const QString to = files.WriteBytes(QStringLiteral("b.jpg"), "old");
  EXPECT_TRUE(FileSaver::Copy(from, to));
  EXPECT_EQ(Contents(to), Contents(from));
  EXPECT_FALSE(FileSaver::Copy(files.Path(QStringLiteral("missing.jpg")), to));
  EXPECT_EQ(Contents(to), Contents(from));
  EXPECT_FALSE(FileSaver::Copy(from, files.Path(QStringLiteral("no/dir/c.jpg"))));
}

TEST(FileSaver, FailedCopySaysWhy) {
  // Saving a GIF copies its bytes; a copy that fails must be reported like any failed
  // save, with the file and the reason.
  struct Case {
    const char* name;
    std::function<std::pair<QString, QString>(TestFiles&)> paths;  // from, to
    const char* reason;
  };
  const Case cases[] = {
      {"source gone",
       [](TestFiles& f) {
         return std::pair{f.Path(QStringLiteral("gone.gif")), f.Path(QStringLiteral("to.gif"))};
       },
       "No such file"},
      {"source is a FIFO",
       [](TestFiles& f) {
         const QString fifo = f.Path(QStringLiteral("fifo.gif"));
         mkfifo(QFile::encodeName(fifo).constData(), 0644);
         return std::pair{fifo, f.Path(QStringLiteral("to.gif"))};
       },
       "pipe"},
      {"target folder missing",
       [](TestFiles& f) {
         return std::pair{f.WriteBytes(QStringLiteral("a.gif"), "GIF89a"),
                          f.Path(QStringLiteral("no/dir/to.gif"))};
       },
       "to.gif"},
      {"target past the file-size limit",
       [](TestFiles& f) {
         return std::pair{f.WriteBytes(QStringLiteral("big.gif"), QByteArray(1 << 20, 'g')),
                          f.Path(QStringLiteral("to.gif"))};
       },
       "File too large"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestFiles files;
    const auto [from, to] = c.paths(files);
    std::string message;
    {
      FileSizeLimit limit(64 << 10);
      try {
        FileSaver::CopyFile(from, to);
      } catch (const PictureError& e) {
        message = e.what();
      }
    }
    EXPECT_NE(message.find(c.reason), std::string::npos) << message;
    EXPECT_FALSE(QFile::exists(to));
  }
}
