#pragma once
// A window of the program. Windows are created once at start-up and shown and hidden;
// borderless ones draw their own frame. With KeyPreview the window's OnKeyDown sees every
// key pressed in it before the focused control does (the key is not consumed).
#include <QRect>
#include <QWidget>
#include <optional>

#include "TControl.h"
#include "picture/Color.h"

enum class TWindowState { Normal, Maximized, Minimized };

class TForm : public TControl<QWidget> {
 public:
  enum class Kind {
    Main,  // the main window: its own entry in the task bar
    Tool,  // a window that stays above its owner (menus, tool windows)
    // A window of its own, for a window that stands in for the main window while that is
    // hidden: no owner, so its own task-bar and Alt-Tab entry; closing it does not end
    // the program.
    Own,
  };

  TForm(QWidget* owner, Kind kind, bool borderless);

  QString Caption() const { return windowTitle(); }
  void SetCaption(const QString& caption) { setWindowTitle(caption); }
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  // A one-pixel border drawn inside the window, for a borderless window that must stand
  // apart from what lies beneath it; none by default.
  void SetBorderColor(TColor color);

  // Client size; for a borderless window the same as its outer size.
  void SetClientSize(int width, int height) { resize(width, height); }

  void Show();  // shows, raises and activates
  void Hide() { hide(); }
  void Close() { close(); }
  void ShowModal();  // returns when the window is hidden again

  TWindowState WindowState() const { return state_; }
  // Maximised covers the screen the window is on (a borderless window has no frame to
  // keep); normal brings back the bounds it had before.
  void SetWindowState(TWindowState state);
  // Maximised over the whole screen, in the window system's full-screen state
  // (_NET_WM_STATE_FULLSCREEN under X11) so that the desktop's panels do not stay above
  // it. WindowState() reads Maximized; Normal brings the bounds back as for any maximise.
  void SetFullScreen();
  bool FullScreen() const { return fullScreen_; }
  // Above all windows that are not topmost. Told to the window system on the window as it
  // is (_NET_WM_STATE_ABOVE under X11): it is not re-created, moved, resized or hidden.
  void SetTopMost(bool on);
  bool TopMost() const { return topMost_; }
  void CenterOnScreen();
  void CenterOn(const QWidget* other);
  // Centred over a rectangle of the screen (another window's frame).
  void CenterOn(const QRect& frame);

  // Moves the window with the mouse while a button is held, as a drag on a title bar: the
  // window manager's move when it offers one, otherwise the window follows the mouse
  // through FollowMove (call it on mouse moves) until the buttons are released or EndMove.
  void StartMove();
  void FollowMove();
  void EndMove() { following_ = false; }
  // Following the mouse ourselves (the window manager's move runs on its own).
  bool FollowingMouse() const { return following_; }

  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool on) { keyPreview_ = on; }
  std::function<void(int key, Qt::KeyboardModifiers shift)> OnKeyDown;
  // Asked before the window closes; set canClose false to refuse.
  std::function<void(bool& canClose)> OnCloseQuery;
  TNotifyEvent OnClose;
  TNotifyEvent OnShow;

  // Virtual-key code of a Qt key: letters A-Z 65-90, digits 48-57, Esc 27, arrows 37-40.
  static int VirtualKey(int qtKey);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  TColor color_ = Colors::White;
  std::optional<TColor> borderColor_;
  TWindowState state_ = TWindowState::Normal;
  QRect normalBounds_;
  bool keyPreview_ = false;
  bool topMost_ = false;
  bool fullScreen_ = false;
  bool following_ = false;
  QPoint moveStartCursor_, moveStartWindow_;
};
