#pragma once
// Stands in for the main window where an owner is tested without it: records what the
// owner asked of the windows around it.
#include <QIcon>
#include <QPoint>
#include <QRect>
#include <vector>

#include "core/WindowHost.h"

class FakeWindowHost : public WindowHost {
 public:
  int closeMenusCalls = 0;
  std::vector<Menu> closedMenus;
  std::vector<QPoint> pictureMenus, selectionMenus;
  int dragStarts = 0, dragFollows = 0, dragEnds = 0;
  int miniModeLeaves = 0;
  int pictureShows = 0;
  int iconChanges = 0;
  int repaints = 0;
  int loadEffects = 0;
  bool mainWindowVisible = true;
  std::vector<bool> mainWindowVisibility;  // every change asked for, in order
  QRect mainWindowBounds{100, 80, 825, 619};

  void CloseMenus(bool) override { ++closeMenusCalls; }
  void CloseMenu(Menu menu) override { closedMenus.push_back(menu); }
  void PopupPictureMenu(int x, int y) override { pictureMenus.push_back({x, y}); }
  void PopupSelectionMenu(int x, int y) override { selectionMenus.push_back({x, y}); }
  void StartWindowDrag() override { ++dragStarts; }
  void FollowWindowDrag() override { ++dragFollows; }
  void EndWindowDrag() override { ++dragEnds; }
  void LeaveMiniMode() override { ++miniModeLeaves; }
  void StartPictureShow() override { ++pictureShows; }
  void SetWindowIcon(const QIcon&) override { ++iconChanges; }
  void RepaintNow() override { ++repaints; }
  void PlayLoadEffect() override { ++loadEffects; }
  void SetMainWindowVisible(bool visible) override {
    mainWindowVisible = visible;
    mainWindowVisibility.push_back(visible);
  }
  QRect MainWindowBounds() const override { return mainWindowBounds; }
};
