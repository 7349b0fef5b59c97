// The real dialogs (no responder): the name the save dialog returns for what the user typed
// and the file type the user chose, driven through the dialog's own widgets as a user
// would; and that closing a box or a dialog never ends the program.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <functional>

#include "TestFiles.h"
#include "controls/Dialogs.h"
#include "controls/TForm.h"

namespace {

QFileDialog* OpenFileDialog() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* dialog = qobject_cast<QFileDialog*>(w); dialog && dialog->isVisible()) return dialog;
  return nullptr;
}

// Once the dialog is up: moves the file-type box down by `steps` with the arrow key (as a
// user picks another type), types name and presses Enter. Gives up the dialog if
// something is missing, so that the test fails instead of waiting.
void AnswerWhenOpen(int steps, const QString& name) {
  QTimer::singleShot(0, [steps, name] {
    QFileDialog* dialog = OpenFileDialog();
    if (!dialog) return AnswerWhenOpen(steps, name);
    auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (!types || !edit) return dialog->reject();
    for (int i = 0; i < steps; ++i) {
      QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
      QApplication::sendEvent(types, &down);
    }
    edit->setText(name);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(edit, &enter);
    if (dialog->isVisible()) dialog->reject();
  });
}

}  // namespace

// A name typed without an extension gets the extension of the file type chosen in the
// dialog; the default extension only stands in where a type names no single extension.
// A name that has an extension keeps it.
TEST(SaveDialog, ANameWithoutExtensionGetsTheChosenType) {
  TestFiles files;
  Dialogs::FileRequest request;
  request.save = true;
  request.filters = Dialogs::ParseFilter(QStringLiteral(
      "Bitmaps (*.bmp)|*.bmp|JPEG Image File (*.jpg;*.jpeg)|*.jpg;*.jpeg|GIF(*.gif)|*.gif|"
      "Icon(*.ico)|*.ico|Any file|*"));
  request.defaultExt = QStringLiteral("jpg");
  request.initialDir = files.Folder();
  const struct {
    int startIndex;  // the type selected when the dialog opens
    int steps;       // entries the user moves down from it
    const char* typed;
    int index;  // the type the dialog reports
    const char* written;
  } cases[] = {
      {1, 0, "a", 1, "a.bmp"},     {1, 1, "b", 2, "b.jpg"}, {1, 2, "c", 3, "c.gif"},
      {1, 3, "d", 4, "d.ico"},     {4, 0, "e", 4, "e.ico"}, {4, 1, "f", 5, "f.jpg"},
      {1, 3, "g.jpg", 4, "g.jpg"}, {2, 0, "h", 2, "h.jpg"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    request.filterIndex = c.startIndex;
    AnswerWhenOpen(c.steps, QString::fromUtf8(c.typed));
    const Dialogs::FileResult result = Dialogs::RunFileDialog(request);
    ASSERT_TRUE(result.accepted);
    EXPECT_EQ(result.filterIndex, c.index);
    EXPECT_EQ(result.path.toStdString(), files.Path(QString::fromUtf8(c.written)).toStdString());
  }
}

// The program ends when its main window closes, never when a box or a dialog does: while
// the puzzle runs, the main window is hidden and the puzzle (a window whose close does not
// end the program) is the only one shown, and each of its messages must leave it running.
TEST(Dialogs, ClosingADialogNeverEndsTheProgram) {
  ASSERT_EQ(Dialogs::CurrentResponder(), nullptr);
  ASSERT_TRUE(QApplication::quitOnLastWindowClosed());
  const struct {
    const char* name;
    std::function<void()> run;
  } cases[] = {
      {"message",
       [] {
         Dialogs::Message(nullptr, QStringLiteral("恭喜你,闯关成功"), QStringLiteral("恭喜"),
                          Dialogs::Icon::Warning);
       }},
      {"file dialog",
       [] {
         Dialogs::FileRequest request;
         request.preview = false;
         Dialogs::RunFileDialog(request);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TForm game(nullptr, TForm::Kind::Own, true);
    game.resize(200, 100);
    game.show();
    // The dialog is closed as soon as it is up; the loop then ends with 42 unless the
    // close has ended the program first (exec then returns 0).
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
      if (QWidget* dialog = QApplication::activeModalWidget()) dialog->close();
    });
    closer.start(20);
    QTimer::singleShot(0, &game, [&] {
      c.run();
      closer.stop();
      QTimer::singleShot(200, &game, [] { QCoreApplication::exit(42); });
    });
    EXPECT_EQ(QApplication::exec(), 42);
    game.hide();
  }
}
