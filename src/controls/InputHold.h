#pragma once
// Holds the program's input while a long piece of window-thread work draws on the screen
// (a transition effect). While a hold is on, mouse and key input and close requests are
// kept instead of being delivered, and the program's timer ticks wait; when the last hold
// ends, the input is handed out again in the order it came and each waiting timer ticks
// once, so no handler of the program runs in between. Meanwhile AnswerWindowSystem lets
// the window system's own events through (exposes, the window manager's liveness ping),
// so a long piece of work never makes the window look hung. Holds may nest.
#include <QObject>
#include <functional>

class InputHold {
 public:
  InputHold();
  ~InputHold();
  InputHold(const InputHold&) = delete;
  InputHold& operator=(const InputHold&) = delete;

  static bool Active();
  // Runs f once, from the event loop, after the last hold has ended; not at all when
  // context is gone by then.
  static void AfterHold(QObject* context, std::function<void()> f);

  // Handles what the window system has sent meanwhile; input among it is kept. Timers and
  // socket notifiers do not run.
  void AnswerWindowSystem();
  // Esc was pressed since this hold began (the key itself is still handed out later).
  bool EscapePressed() const;

 private:
  int escapesAtStart_;
};
