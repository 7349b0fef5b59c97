#pragma once
// Every message box, file dialog and modal window goes through here, so that tests can
// answer them without a person: a test installs a Responder, and the real dialogs are
// used only when none is installed.
#include <QString>
#include <QStringList>
#include <functional>

class QObject;
class QPrinter;
class QWidget;

namespace Dialogs {

enum class Icon { None, Information, Warning, Error };

// One filter entry: a description shown to the user and its patterns ("*.jpg;*.jpeg").
struct Filter {
  QString description;
  QString patterns;
};

struct FileRequest {
  QWidget* owner = nullptr;
  bool save = false;
  QList<Filter> filters;
  int filterIndex = 1;  // 1-based, as the dialog reports it
  QString defaultExt;   // without the dot
  QString initialDir;
  QString fileName;
  bool overwritePrompt = false;
  bool fileMustExist = false;
  bool preview = true;       // a picture preview beside the file list
  bool multiSelect = false;  // several files at once (open dialogs only)
};

struct FileResult {
  bool accepted = false;
  QString path;
  int filterIndex = 1;  // 1-based entry chosen
  // Every file chosen, in the dialog's order (path is the first); for a multiSelect
  // request a test may answer with paths alone.
  QStringList paths = {};
};

// A print preview. paint draws the pages onto printer whenever the preview, or printing
// from it, needs them. keeper holds printer and everything paint draws from; whoever
// shows the preview frees keeper when the preview closes.
struct PreviewRequest {
  QWidget* owner = nullptr;
  QPrinter* printer = nullptr;
  std::function<void(QPrinter*)> paint;
  QObject* keeper = nullptr;
};

class Responder {
 public:
  virtual ~Responder() = default;
  virtual void Message(QWidget* owner, const QString& text, const QString& title, Icon icon) = 0;
  virtual FileResult File(const FileRequest& request) = 0;
  // A window shown modally; the call returns when the test is done with it.
  virtual void Modal(QWidget* form) = 0;
  // A print preview; the responder owns request.keeper from now on. By default the
  // preview is closed at once.
  virtual void Preview(const PreviewRequest& request);
};

// nullptr brings back the real dialogs.
void SetResponder(Responder* responder);
Responder* CurrentResponder();

// A modal message box with one OK button.
void Message(QWidget* owner, const QString& text, const QString& title, Icon icon);
FileResult RunFileDialog(const FileRequest& request);
// Shows form modally and returns when it is hidden again.
void ShowModal(QWidget* form);
// Opens a print preview and returns at once: the preview is not modal, so the other
// windows stay usable while it is open. The preview owns request.keeper and frees it when
// it closes.
void PrintPreview(const PreviewRequest& request);

// Message boxes, file dialogs and modal windows of the program open right now, those a
// Responder answers included (while its answer runs).
int OpenCount();
// Runs f once, from the event loop, when no box or dialog is open any more (soon, when
// none is open now); not at all when context is gone by then.
void AfterDialogs(QObject* context, std::function<void()> f);

// "Bitmaps (*.bmp)|*.bmp|..." split into filter entries.
QList<Filter> ParseFilter(const QString& filter);

}  // namespace Dialogs
