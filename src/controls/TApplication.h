#pragma once
// The application object. It routes keys to windows with key preview first, and turns
// an error that escapes an event handler into the default error report (a message box
// with an error icon, the application title and the error's text), after which the
// program goes on with the next event.
#include <QApplication>
#include <exception>

class TApplication : public QApplication {
 public:
  // Also ignores SIGXFSZ (IgnoreFileSizeSignal).
  TApplication(int& argc, char** argv);

  // A write past the file-size limit (ulimit -f) raises SIGXFSZ, whose default action
  // ends the process and takes unsaved edits with it. Ignored, the write fails with EFBIG
  // instead, and the save reports "File too large" like any other failed save.
  static void IgnoreFileSizeSignal();

  static QString Title();
  static void SetTitle(const QString& title);

  // The default error report.
  static void ShowException(const std::exception& error);
  // The text shown: a full stop is appended when the last character sorts after it.
  static QString ReportText(const QString& message);

  bool notify(QObject* receiver, QEvent* event) override;
};
