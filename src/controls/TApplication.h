#pragma once
// The application object. It routes keys to windows with key preview first, and turns
// an error that escapes an event handler into the default error report (a message box
// with an error icon, the application title and the error's text), after which the
// program goes on with the next event.
#include <QApplication>
#include <exception>
#include <stdexcept>
#include <utility>

class TApplication : public QApplication {
 public:
  // Also ignores SIGXFSZ (IgnoreFileSizeSignal) and loads Qt's Chinese texts
  // (LoadQtChineseTexts).
  TApplication(int& argc, char** argv);

  // The interface is Chinese whatever the desktop's language: the texts Qt draws itself
  // (the buttons of message boxes, the file dialogs, the print preview) are loaded in
  // Chinese too, so that no window mixes in English ("OK", "Look in:"). Returns false when
  // Qt's translations are not installed; Qt then keeps its English texts.
  static bool LoadQtChineseTexts();

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

  // Runs an event handler of a control or window, if one is set. An error escaping it is
  // reported here, still inside our own frames: Qt's event delivery is built without
  // exception support, and an error unwinding through it leaks the event being delivered.
  // Returns whether the handler ran to its end, so that the caller can skip what would
  // have followed it, as if the error had ended the whole event.
  template <class Handler, class... Args>
  static bool RunHandler(const Handler& handler, Args&&... args) {
    if (!handler) return true;
    try {
      handler(std::forward<Args>(args)...);
      return true;
    } catch (const std::exception& error) {
      ShowException(error);
    } catch (...) {
      ShowException(std::runtime_error("Unknown error"));
    }
    return false;
  }

  // The last resort for errors from code that runs outside the handlers (timers and
  // queued calls of the subsystems).
  bool notify(QObject* receiver, QEvent* event) override;
};
