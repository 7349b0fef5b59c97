#pragma once
// What every owner of a subsystem works with: the shared state, the picture area, the
// commands and the windows around them. Owners keep a copy; the objects live as long as
// the main window.
class ViewerState;
class PictureArea;
struct UserCommands;
class WindowHost;

struct ViewerContext {
  ViewerState& state;
  PictureArea& area;
  UserCommands& commands;
  WindowHost& host;
};
