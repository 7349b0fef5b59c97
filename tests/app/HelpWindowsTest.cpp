// The Help menu's windows: the about box and the acknowledgements, how they open, what
// they say and how they close.
#include <QCursor>
#include <QDesktopServices>
#include <QScrollBar>
#include <QUrl>

#include "FormsTest.h"

namespace {

// Catches what the program asks the desktop to open.
class UrlCatcher : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> urls;
 public slots:
  void Open(const QUrl& url) { urls.append(url); }
};

// A press of button at point p of form, received where the window system delivers it: by
// the control under p, or the form itself where there is none.
void PressAt(TForm* form, QPoint p, Qt::MouseButton button) {
  QWidget* under = form->childAt(p);
  QWidget* receiver = under ? under : form;
  const QPoint local = receiver->mapFrom(form, p);
  QTest::mousePress(receiver, button, {}, local);
  QTest::mouseRelease(receiver, button, {}, local);
  QApplication::processEvents();
}

void MoveOver(QWidget* w, QPoint local) {
  QMouseEvent move(QEvent::MouseMove, QPointF(local), QPointF(w->mapToGlobal(local)), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(w, &move);
}

QPoint Middle(const QWidget* w) {
  return w->geometry().center();
}

}  // namespace

class HelpWindowsTest : public FormsTest {
 protected:
  void SetUp() override {
    pointerBefore_ = QCursor::pos();
    FormsTest::SetUp();
  }
  // Some tests move the real pointer; the next ones find it where it was.
  void TearDown() override {
    FormsTest::TearDown();
    QCursor::setPos(pointerBefore_);
    QTest::qWait(20);
  }

  static void ShowForm(TForm* form) {
    form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
  }

 private:
  QPoint pointerBefore_;
};

TEST_F(HelpWindowsTest, HelpKeysShowTheirWindowModallyOverTheMainWindow) {
  struct Case {
    int key;
    TForm* form;
  };
  const Case cases[] = {{'T', ThanksForm}, {'A', AboutForm}};
  MainForm->move(90, 70);
  ProcessEvents();
  for (const Case& c : cases) {
    SCOPED_TRACE(qPrintable(c.form->objectName()));
    menuHelpForm->PopupAt(MainForm->x() + 282, MainForm->y() + 55);
    MainForm->State.MenuOpen = true;
    QPoint centre;
    bool menuOpenWhileShown = true;
    dialogs.onModal = [&](QWidget* form) {
      centre = form->frameGeometry().center();
      menuOpenWhileShown = menuHelpForm->isVisible();
    };
    dialogs.modals.clear();
    menuHelpForm->FormKeyDown(c.key);
    ASSERT_EQ(dialogs.modals.size(), 1u);
    EXPECT_EQ(dialogs.modals[0], c.form);
    EXPECT_FALSE(menuOpenWhileShown);
    EXPECT_FALSE(MainForm->State.MenuOpen);
    const QPoint mainCentre = MainForm->frameGeometry().center();
    EXPECT_LE((centre - mainCentre).manhattanLength(), 2)
        << centre.x() << "," << centre.y() << " vs " << mainCentre.x() << "," << mainCentre.y();
  }
  dialogs.onModal = nullptr;
}

TEST_F(HelpWindowsTest, AboutBoxShowsTheProgramAndItsMaker) {
  TAboutForm* a = AboutForm;
  EXPECT_EQ(a->size(), QSize(368, 245));
  EXPECT_EQ(a->Panel1->geometry(), QRect(0, 0, 368, 41));
  EXPECT_EQ(a->Panel1->Color(), Colors::White);
  EXPECT_EQ(a->Image1->size(), QSize(367, 39));
  EXPECT_FALSE(a->Image1->GetPicture().Empty());
  EXPECT_EQ(a->Label2->Caption(), QStringLiteral("Picora图片浏览器"));
  EXPECT_EQ(a->Label2->FontColor(), Colors::Blue);
  EXPECT_EQ(a->Label2->font().pixelSize(), 16);
  EXPECT_EQ(a->Label3->Caption(), QStringLiteral("版本:  2.5"));
  EXPECT_EQ(a->Label5->Caption(), QStringLiteral("Picora 开发组"));
  struct Link {
    TLabel* label;
    const char* text;
    TColor color;
  };
  const Link links[] = {{a->Label1, "picora@example.org", Colors::Navy},
                        {a->Label4, "https://picora.example.org/", Colors::Blue}};
  for (const Link& l : links) {
    SCOPED_TRACE(l.text);
    EXPECT_EQ(l.label->Caption(), QString::fromUtf8(l.text));
    EXPECT_EQ(l.label->FontColor(), l.color);
    EXPECT_TRUE(l.label->font().bold());
    EXPECT_FALSE(l.label->font().underline());
    EXPECT_EQ(l.label->Cursor(), TCursor::HandPoint);
  }
  // Every text lies on the window, below the strip, none over another.
  ShowForm(a);
  QRect last = a->Panel1->geometry();
  for (TLabel* label : {a->Label2, a->Label3, a->Label5, a->Label1, a->Label4}) {
    EXPECT_TRUE(a->rect().contains(label->geometry())) << qPrintable(label->Caption());
    EXPECT_GT(label->y(), last.bottom()) << qPrintable(label->Caption());
    last = label->geometry();
  }
}

TEST_F(HelpWindowsTest, AboutBoxClosesOnlyOnItsBackground) {
  struct Case {
    const char* what;
    std::function<QPoint()> at;
    Qt::MouseButton button;
    bool closes;
  };
  const Case cases[] = {
      {"background, left", [] { return QPoint(8, 236); }, Qt::LeftButton, true},
      {"background, right", [] { return QPoint(360, 120); }, Qt::RightButton, true},
      {"background, middle", [] { return QPoint(20, 80); }, Qt::MiddleButton, true},
      {"the version text", [] { return Middle(AboutForm->Label3); }, Qt::LeftButton, false},
      {"the program name", [] { return Middle(AboutForm->Label2); }, Qt::RightButton, false},
      {"the maker", [] { return Middle(AboutForm->Label5); }, Qt::LeftButton, false},
      {"the banner", [] { return QPoint(180, 20); }, Qt::LeftButton, false},
      {"the strip under the banner", [] { return QPoint(367, 40); }, Qt::LeftButton, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ShowForm(AboutForm);
    PressAt(AboutForm, c.at(), c.button);
    EXPECT_EQ(AboutForm->isVisible(), !c.closes);
    AboutForm->Hide();
  }
}

TEST_F(HelpWindowsTest, AboutAddressesUnderlineUnderTheMouseAndOpen) {
  TAboutForm* a = AboutForm;
  ShowForm(a);
  for (TLabel* link : {a->Label1, a->Label4}) {
    SCOPED_TRACE(qPrintable(link->Caption()));
    MoveOver(link, QPoint(3, 3));
    EXPECT_TRUE(link->font().bold());
    EXPECT_TRUE(link->font().underline());
    MoveOver(a, QPoint(8, 236));
    for (TLabel* both : {a->Label1, a->Label4}) {
      EXPECT_TRUE(both->font().bold());
      EXPECT_FALSE(both->font().underline());
    }
  }

  UrlCatcher catcher;
  QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "Open");
  QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &catcher, "Open");
  QTest::mouseClick(a->Label4, Qt::LeftButton, {}, QPoint(3, 3));
  QTest::mouseClick(a->Label1, Qt::LeftButton, {}, QPoint(3, 3));
  QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
  QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
  ASSERT_EQ(catcher.urls.size(), 2);
  EXPECT_EQ(catcher.urls[0], QUrl(QStringLiteral("https://picora.example.org/")));
  EXPECT_EQ(catcher.urls[1], QUrl(QStringLiteral("mailto:picora@example.org")));
  EXPECT_TRUE(a->isVisible());
}

TEST_F(HelpWindowsTest, ThanksListsTheProjectsWeStandOn) {
  TThanksForm* t = ThanksForm;
  EXPECT_EQ(t->size(), QSize(320, 267));
  EXPECT_EQ(t->Label1->Caption(),
            QStringLiteral("感谢下列人员对本软件的技术、资金支持：") + QString(2, QChar(0x3000)));
  EXPECT_EQ(t->FlatMemo1->size(), QSize(305, 217));
  EXPECT_TRUE(t->FlatMemo1->ReadOnly());
  const QString text = t->FlatMemo1->Text();
  ASSERT_TRUE(text.endsWith(QStringLiteral("。")));
  const QStringList entries = text.chopped(1).split(QStringLiteral("，"));
  ASSERT_EQ(entries.size(), 7);
  for (const QString& e : entries) {
    EXPECT_FALSE(e.trimmed().isEmpty());
    EXPECT_FALSE(e.contains(QStringLiteral("。")));
  }
  EXPECT_EQ(entries[0].trimmed(), QStringLiteral("Qt"));
  // The whole list shows without scrolling.
  ShowForm(t);
  EXPECT_FALSE(t->FlatMemo1->verticalScrollBar()->isVisible());
}

TEST_F(HelpWindowsTest, ThanksClosesOnItsBackgroundHeadingAndEsc) {
  struct Case {
    const char* what;
    std::function<void()> act;
    bool closes;
  };
  auto press = [](QWidget* w, Qt::MouseButton b) {
    QTest::mousePress(w, b, {}, QPoint(5, 5));
    QTest::mouseRelease(w, b, {}, QPoint(5, 5));
    QApplication::processEvents();
  };
  auto keyInList = [](Qt::Key key) {
    ThanksForm->FlatMemo1->setFocus();
    QTest::keyClick(ThanksForm->FlatMemo1, key);
    QApplication::processEvents();
  };
  const Case cases[] = {
      {"background, left", [] { PressAt(ThanksForm, QPoint(300, 262), Qt::LeftButton); }, true},
      {"background, right", [] { PressAt(ThanksForm, QPoint(4, 150), Qt::RightButton); }, true},
      {"heading, left", [=] { press(ThanksForm->Label1, Qt::LeftButton); }, true},
      {"heading, middle", [=] { press(ThanksForm->Label1, Qt::MiddleButton); }, true},
      {"list, left", [=] { press(ThanksForm->FlatMemo1->viewport(), Qt::LeftButton); }, false},
      {"list, right", [=] { press(ThanksForm->FlatMemo1->viewport(), Qt::RightButton); }, false},
      {"list, middle", [=] { press(ThanksForm->FlatMemo1->viewport(), Qt::MiddleButton); }, false},
      {"Esc while the list has the keyboard", [=] { keyInList(Qt::Key_Escape); }, true},
      {"another key in the list", [=] { keyInList(Qt::Key_A); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ShowForm(ThanksForm);
    c.act();
    EXPECT_EQ(ThanksForm->isVisible(), !c.closes);
    ThanksForm->Hide();
  }
}

#include "HelpWindowsTest.moc"
