#pragma once
// What the subsystems ask of the windows around the picture: the menus, the main
// window's frame and the view-mode chooser. The main window implements it; owners and
// the windows of the subsystems call it instead of reaching into those windows.
class QIcon;
class QRect;

class WindowHost {
 public:
  // The six drop-down menus, in menu-bar order.
  enum class Menu { File, Edit, View, Zoom, Tools, Help };

  virtual ~WindowHost() = default;

  // Hides the six drop-down menus and the two right-click menus (and, with withChooser,
  // the view-mode chooser).
  virtual void CloseMenus(bool withChooser) = 0;
  virtual void CloseMenu(Menu menu) = 0;
  // The right-click menus of the picture and of the selection rectangle, for a press at
  // (x, y) in the coordinates of the picture or of the rectangle.
  virtual void PopupPictureMenu(int x, int y) = 0;
  virtual void PopupSelectionMenu(int x, int y) = 0;

  // Moving the main window with the mouse: the window manager's move where there is
  // one, else the window follows the pointer until the button comes up.
  virtual void StartWindowDrag() = 0;
  virtual void FollowWindowDrag() = 0;
  virtual void EndWindowDrag() = 0;

  // Back from mini mode to the normal layout.
  virtual void LeaveMiniMode() = 0;
  // The layout of an imported picture show: the panels, the bars and the mouse cursor
  // hidden, the window maximised. Esc ends it.
  virtual void StartPictureShow() = 0;

  virtual void SetWindowIcon(const QIcon& icon) = 0;
  // Paints the main window now, so that a menu just closed is gone before long pixel work.
  virtual void RepaintNow() = 0;
  // The transition effect of the checked view mode, after a load.
  virtual void PlayLoadEffect() = 0;

  // Hides the main window while a window of its own stands in for it (the puzzle), and
  // shows it again afterwards.
  virtual void SetMainWindowVisible(bool visible) = 0;
  // The main window's place on the screen, its frame included; kept while it is hidden.
  virtual QRect MainWindowBounds() const = 0;
};
