// The slide show's toggle, the interval the field gives the timer, and ticks that fall
// due while a step or a dialog is under way. The steps themselves (which entry each tick
// shows) are window tests: they load real pictures.
#include <QApplication>

#include "ViewerFixture.h"
#include "controls/Dialogs.h"
#include "controls/TListView.h"
#include "controls/TSpinEdit.h"
#include "controls/TTimer.h"
#include "show/SlideShow.h"

namespace {
// Answers message boxes at once, running something while the box is "up".
class Boxes : public Dialogs::Responder {
 public:
  std::function<void()> whileUp;
  int shown = 0;
  void Message(QWidget*, const QString&, const QString&, Dialogs::Icon) override {
    ++shown;
    if (whileUp) whileUp();
  }
  Dialogs::FileResult File(const Dialogs::FileRequest&) override { return {}; }
  void Modal(QWidget*) override {}
};

void LetEventsRun() {
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
}
}  // namespace

class SlideShowTest : public ViewerFixture {
 protected:
  SlideShowTest() {
    field.SetMinMax(1, 60);
    field.SetValue(8);
    field.SetEnabled(false);
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) names.Add(QString::fromLatin1(name));
    // Made as the main window makes it: after the field has its design values.
    slides = std::make_unique<SlideShow>(context, &field, &timer, &names);
    SlideShow& show = *slides;
    field.OnChange = [&show] { show.IntervalChanged(); };
    timer.OnTimer = [&show] { show.Tick(); };
    commands.SlideShow.SetAction([&show] { show.Toggle(); });
    // Stands in for the loader's next-picture command: counts the steps.
    commands.NextPicture.SetAction([this] {
      ++steps;
      if (onStep) onStep();
    });
    Dialogs::SetResponder(&boxes);
  }
  ~SlideShowTest() override { Dialogs::SetResponder(nullptr); }

  bool Invariant() const {
    const bool running = commands.SlideShow.Checked();
    return timer.Enabled() == running && field.Enabled() == running;
  }

  TSpinEdit field{&window};
  TTimer timer{nullptr, 5000};
  TListView names{&window, TListView::ViewStyle::Report};
  std::unique_ptr<SlideShow> slides;
  Boxes boxes;
  int steps = 0;
  std::function<void()> onStep;
};

TEST_F(SlideShowTest, TheToggleStartsAndStops) {
  EXPECT_FALSE(commands.SlideShow.Checked());
  EXPECT_TRUE(Invariant());
  commands.SlideShow.Run();
  EXPECT_TRUE(commands.SlideShow.Checked());
  EXPECT_TRUE(field.Enabled());
  EXPECT_TRUE(timer.Enabled());
  EXPECT_TRUE(timer.Active());
  EXPECT_TRUE(Invariant());
  // Starting shows nothing at once: the first step comes with the first tick.
  EXPECT_EQ(steps, 0);
  commands.SlideShow.Run();
  EXPECT_FALSE(commands.SlideShow.Checked());
  EXPECT_FALSE(field.Enabled());
  EXPECT_FALSE(timer.Enabled());
  EXPECT_FALSE(timer.Active());
  EXPECT_TRUE(Invariant());
  EXPECT_EQ(steps, 0);
}

TEST_F(SlideShowTest, TheTimerFollowsTheField) {
  // The interval is what the field shows from start-up on.
  EXPECT_EQ(timer.Interval(), 8000);
  commands.SlideShow.Run();
  const struct {
    const char* text;
    int interval;
    bool ticking;
  } cases[] = {
      {"3", 3000, true},   {"", 1000, true}, {"0", 0, false},
      {"75", 75000, true}, {"-4", 0, false}, {"60", 60000, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    field.SetText(QString::fromLatin1(c.text));
    EXPECT_EQ(timer.Interval(), c.interval);
    EXPECT_EQ(timer.Active(), c.ticking);
  }
  // Leaving the field with 75 in it brings it to 60, and the timer with it.
  field.SetText(QStringLiteral("75"));
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(&field, &out);
  EXPECT_EQ(field.Text(), QStringLiteral("60"));
  EXPECT_EQ(timer.Interval(), 60000);
}

TEST_F(SlideShowTest, ATickWhileADialogIsOpenRunsOnceWhenItCloses) {
  commands.SlideShow.Run();
  int stepsWhileUp = -1;
  boxes.whileUp = [&] {
    for (int i = 0; i < 3; ++i) timer.Fire();
    LetEventsRun();
    stepsWhileUp = steps;
  };
  Dialogs::Message(nullptr, QStringLiteral("x"), QStringLiteral("y"), Dialogs::Icon::None);
  EXPECT_EQ(stepsWhileUp, 0);
  LetEventsRun();
  EXPECT_EQ(steps, 1);
  LetEventsRun();
  EXPECT_EQ(steps, 1);
}

TEST_F(SlideShowTest, ATickDuringAStepRunsOnceAfterIt) {
  commands.SlideShow.Run();
  int nested = 0;
  onStep = [&] {
    if (steps > 1) return;
    // The step's picture cannot be read: its message is up while ticks come.
    boxes.whileUp = [&] {
      const int before = steps;
      timer.Fire();
      timer.Fire();
      LetEventsRun();
      nested += steps - before;
    };
    Dialogs::Message(nullptr, QStringLiteral("图象文件错误!"), QStringLiteral("错误提示"),
                     Dialogs::Icon::Warning);
    boxes.whileUp = nullptr;
  };
  timer.Fire();
  EXPECT_EQ(nested, 0);
  EXPECT_EQ(boxes.shown, 1);
  EXPECT_EQ(steps, 1);
  LetEventsRun();
  EXPECT_EQ(steps, 2);
  LetEventsRun();
  EXPECT_EQ(steps, 2);
}

TEST_F(SlideShowTest, ADeferredTickIsDroppedWhenTheShowStops) {
  commands.SlideShow.Run();
  boxes.whileUp = [&] {
    timer.Fire();
    commands.SlideShow.Run();  // stopped while the box is up
  };
  Dialogs::Message(nullptr, QStringLiteral("x"), QStringLiteral("y"), Dialogs::Icon::None);
  LetEventsRun();
  EXPECT_EQ(steps, 0);
}
