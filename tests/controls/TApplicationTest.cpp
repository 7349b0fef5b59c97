// A save past the file-size limit fails with an error the user is shown, instead of the
// signal that ends the process and loses the edits.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <csignal>
#include <cstdio>
#include <cstring>

#include "TestFiles.h"
#include "controls/TApplication.h"
#include "picture/FileSaver.h"
#include "picture/PictureError.h"

TEST(TApplication, WritePastTheFileSizeLimitFailsInsteadOfKilling) {
  TestFiles files;
  const QString path = files.WriteBytes(QStringLiteral("keep.jpg"), "old contents");
  // The limit and the signal are the process's: try it in a child, as the program runs
  // after start-up.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_DFL);
    TApplication::IgnoreFileSizeSignal();
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 4096;
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(3);
    try {
      FileSaver::Write(path, QByteArray(1 << 20, 'n'));
      _exit(1);
    } catch (const PictureError& e) {
      // What the default error report shows.
      if (std::strstr(e.what(), "File too large")) _exit(0);
      std::fprintf(stderr, "message: %s\n", e.what());
      _exit(2);
    }
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_FALSE(WIFSIGNALED(status)) << "killed by signal " << WTERMSIG(status);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: no error, 2: another message, 3: no limit";
  QFile kept(path);
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), "old contents");
}

// The texts Qt draws itself come in Chinese: a message box's button, and a file dialog's
// labels.
TEST(TApplication, QtsOwnTextsAreChinese) {
  ASSERT_TRUE(TApplication::LoadQtChineseTexts()) << "Qt's translations are not installed";
  EXPECT_TRUE(TApplication::LoadQtChineseTexts());  // a second call keeps the one loaded
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "OK"), QStringLiteral("确定"));
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("取消"));
  EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Look in:"));
}
