#include "Dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QWidget>
#include <utility>
#include <vector>

#include <algorithm>

#include "PicturePreview.h"

namespace {
Dialogs::Responder* g_responder = nullptr;
int g_open = 0;
std::vector<std::pair<QPointer<QObject>, std::function<void()>>> g_afterDialogs;

void RunAfterDialogs() {
  auto callbacks = std::move(g_afterDialogs);
  g_afterDialogs.clear();
  for (auto& [context, f] : callbacks)
    if (context) QMetaObject::invokeMethod(context, std::move(f), Qt::QueuedConnection);
}

// Counts one open box or dialog for as long as it lives.
class OpenDialog {
 public:
  OpenDialog() { ++g_open; }
  ~OpenDialog() {
    if (--g_open == 0) RunAfterDialogs();
  }
  OpenDialog(const OpenDialog&) = delete;
  OpenDialog& operator=(const OpenDialog&) = delete;
};

// The program ends when its main window closes. A box or dialog closing while the main
// window is hidden (the puzzle hides it, and the puzzle's own close does not end the
// program) would otherwise count as the last window closing, and end the program under
// the user.
void NeverEndsTheProgram(QWidget* dialog) {
  dialog->setAttribute(Qt::WA_QuitOnClose, false);
}

QString QtFilter(const Dialogs::Filter& f) {
  // Qt reads the patterns from the last parentheses, separated by blanks.
  QString patterns = f.patterns;
  patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
  QString description = f.description;
  const int open = description.lastIndexOf(QLatin1Char('('));
  if (open >= 0 && description.endsWith(QLatin1Char(')'))) description.truncate(open);
  return description.trimmed() + QStringLiteral(" (") + patterns + QLatin1Char(')');
}

// The extension a save dialog gives a name typed without one: that of the chosen file type
// when its first pattern is a plain "*.ext", else the default extension. A file written in
// the chosen format must carry its extension, or the picture cannot be opened again.
QString SuffixFor(const Dialogs::Filter& f, const QString& defaultExt) {
  const QString first = f.patterns.section(QLatin1Char(';'), 0, 0).trimmed();
  if (!first.startsWith(QLatin1String("*."))) return defaultExt;
  const QString ext = first.mid(2);
  for (const QChar c : ext)
    if (!c.isLetterOrNumber()) return defaultExt;
  return ext.isEmpty() ? defaultExt : ext;
}
}  // namespace

void Dialogs::SetResponder(Responder* responder) {
  g_responder = responder;
}
Dialogs::Responder* Dialogs::CurrentResponder() {
  return g_responder;
}

int Dialogs::OpenCount() {
  return g_open;
}

void Dialogs::AfterDialogs(QObject* context, std::function<void()> f) {
  g_afterDialogs.emplace_back(context, std::move(f));
  if (g_open == 0) RunAfterDialogs();
}

QList<Dialogs::Filter> Dialogs::ParseFilter(const QString& filter) {
  QList<Filter> out;
  const QStringList parts = filter.split(QLatin1Char('|'));
  for (int i = 0; i + 1 < parts.size(); i += 2) out.append({parts[i], parts[i + 1]});
  return out;
}

void Dialogs::Message(QWidget* owner, const QString& text, const QString& title, Icon icon) {
  OpenDialog open;
  if (g_responder) return g_responder->Message(owner, text, title, icon);
  QMessageBox box(owner);
  NeverEndsTheProgram(&box);
  box.setWindowTitle(title);
  box.setText(text);
  switch (icon) {
    case Icon::Information:
      box.setIcon(QMessageBox::Information);
      break;
    case Icon::Warning:
      box.setIcon(QMessageBox::Warning);
      break;
    case Icon::Error:
      box.setIcon(QMessageBox::Critical);
      break;
    case Icon::None:
      box.setIcon(QMessageBox::NoIcon);
      break;
  }
  box.setStandardButtons(QMessageBox::Ok);
  box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
  box.exec();
}

Dialogs::FileResult Dialogs::RunFileDialog(const FileRequest& request) {
  OpenDialog open;
  if (g_responder) return g_responder->File(request);
  QFileDialog dialog(request.owner);
  NeverEndsTheProgram(&dialog);
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  if (!request.save && request.multiSelect)
    dialog.setFileMode(QFileDialog::ExistingFiles);
  else
    dialog.setFileMode(request.save || !request.fileMustExist ? QFileDialog::AnyFile
                                                              : QFileDialog::ExistingFile);
  if (request.save && !request.overwritePrompt)
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  QStringList filters;
  for (const Filter& f : request.filters) filters << QtFilter(f);
  dialog.setNameFilters(filters);
  if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
    dialog.selectNameFilter(filters[request.filterIndex - 1]);
  if (!request.defaultExt.isEmpty()) {
    dialog.setDefaultSuffix(request.defaultExt);
    if (request.save) {
      // The extension follows the type the dialog shows, from the start and on every change.
      const auto follow = [&dialog, &request, filters](const QString& chosen) {
        const qsizetype i = filters.indexOf(chosen);
        dialog.setDefaultSuffix(i >= 0 ? SuffixFor(request.filters[i], request.defaultExt)
                                       : request.defaultExt);
      };
      follow(dialog.selectedNameFilter());
      QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, follow);
    }
  }
  if (!request.initialDir.isEmpty()) dialog.setDirectory(request.initialDir);
  if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
  dialog.setSizeGripEnabled(true);
  if (request.preview) {
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
      auto* preview = new PicturePreview(&dialog);
      grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1);
      QObject::connect(&dialog, &QFileDialog::currentChanged, preview, &PicturePreview::ShowFile);
    }
  }
  FileResult result;
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return result;
  result.accepted = true;
  result.paths = dialog.selectedFiles();
  result.path = result.paths.first();
  result.filterIndex = int(filters.indexOf(dialog.selectedNameFilter())) + 1;
  if (result.filterIndex < 1) result.filterIndex = 1;
  return result;
}

void Dialogs::ShowModal(QWidget* form) {
  OpenDialog open;
  if (g_responder) return g_responder->Modal(form);
  // Block the other windows while the form is up, and return once it is hidden.
  QPointer<QWidget> guard(form);
  const Qt::WindowModality old = form->windowModality();
  const bool wasVisible = form->isVisible();
  if (wasVisible) form->hide();
  form->setWindowModality(Qt::ApplicationModal);
  form->show();
  form->raise();
  form->activateWindow();
  QEventLoop loop;
  while (guard && guard->isVisible()) loop.processEvents(QEventLoop::WaitForMoreEvents);
  if (guard) guard->setWindowModality(old);
}

void Dialogs::Responder::Preview(const PreviewRequest& request) {
  delete request.keeper;
}

void Dialogs::PrintPreview(const PreviewRequest& request) {
  if (g_responder) return g_responder->Preview(request);
  auto* dialog = new QPrintPreviewDialog(request.printer, request.owner);
  NeverEndsTheProgram(dialog);
  dialog->setWindowTitle(QStringLiteral("打印预览"));
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setWindowModality(Qt::NonModal);
  // The keeper goes with the dialog. It joins after the dialog's own widgets, so they are
  // gone before the printer they show is.
  request.keeper->setParent(dialog);
  QObject::connect(dialog, &QPrintPreviewDialog::paintRequested, dialog, request.paint);
  // A whole page at a readable size, within the screen.
  const QScreen* screen = request.owner ? request.owner->screen() : nullptr;
  if (!screen) screen = QGuiApplication::primaryScreen();
  const QRect room = screen->availableGeometry();
  dialog->resize(std::min(760, room.width() - 40), std::min(960, room.height() - 60));
  dialog->show();
  dialog->raise();
  dialog->activateWindow();
}
