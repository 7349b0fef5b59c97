#include "TApplication.h"

#include <QKeyEvent>
#include <QLibraryInfo>
#include <QTranslator>
#include <csignal>

#include "Dialogs.h"
#include "InputHold.h"
#include "TForm.h"

namespace {
QString g_title;
}

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
  IgnoreFileSizeSignal();
  LoadQtChineseTexts();
}

bool TApplication::LoadQtChineseTexts() {
  // One translator for the whole run, made once: the application keeps a pointer to it.
  static QTranslator* const translator = new QTranslator;
  if (!translator->isEmpty()) return true;
  if (!translator->load(QStringLiteral("qtbase_zh_CN"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    return false;
  return QCoreApplication::installTranslator(translator);
}

void TApplication::IgnoreFileSizeSignal() {
  std::signal(SIGXFSZ, SIG_IGN);
}

QString TApplication::Title() {
  return g_title;
}

// Kept as our own title only: given to Qt as the application's display name, it would be
// appended to the title of every other window on X11 ("错误提示 — Picora图片浏览器").
void TApplication::SetTitle(const QString& title) {
  g_title = title;
}

QString TApplication::ReportText(const QString& message) {
  if (!message.isEmpty() && message.back() > QLatin1Char('.')) return message + QLatin1Char('.');
  return message;
}

void TApplication::ShowException(const std::exception& error) {
  Dialogs::Message(nullptr, ReportText(QString::fromUtf8(error.what())), Title(),
                   Dialogs::Icon::Error);
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  try {
    if (event->type() == QEvent::KeyPress && receiver->isWidgetType() && !InputHold::Active()) {
      // Key preview: the window sees the key first; the focused control still gets it. A
      // held key is previewed when it is handed out.
      auto* form = dynamic_cast<TForm*>(static_cast<QWidget*>(receiver)->window());
      if (form && form->KeyPreview() && form->OnKeyDown) {
        auto* key = static_cast<QKeyEvent*>(event);
        form->OnKeyDown(TForm::VirtualKey(key->key()), key->modifiers());
      }
    }
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ShowException(error);
  } catch (...) {
    ShowException(std::runtime_error("Unknown error"));
  }
  return false;
}
