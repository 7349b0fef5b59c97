// The program ends when its main window closes, never when a box or a dialog does: while
// the puzzle runs, the main window is hidden and the puzzle (a window whose close does not
// end the program) is the only one shown, and each of its messages must leave it running.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <functional>

#include "controls/Dialogs.h"
#include "controls/TForm.h"

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
