#pragma once
// The main window's own frame: maximising with the task-bar rule and restoring, dragging
// the window by its title (or by its picture in mini mode), the window buttons that stay
// at the right edge, the keys of the window and the close request.
#include <qnamespace.h>
#include <QPoint>

class TMainForm;

class WindowFrame {
 public:
  explicit WindowFrame(TMainForm& form);

  void MaximizeOrRestore();
  void Minimize();
  // A press on the title picture or the title text.
  void TitleMouseDown(Qt::MouseButton button, bool clearMenuOpen);
  // Image2 and the three window buttons back at the right edge.
  void AnchorWindowButtons();
  // The maximise button's hint and glyph for a window that is not maximised.
  void ShowRestoredLook();

  // Moves the window with the mouse while a button is held (the title bar: the left one;
  // the mini window's picture: the left or the middle one).
  void StartDrag();
  void FollowDrag();
  void EndDrag();

  void KeyDown(int key);
  void CloseQuery(bool& canClose);

 private:
  TMainForm& form_;
};
