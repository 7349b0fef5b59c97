#pragma once
// The parts of the viewer a screen-saver show is made from and played with: the view
// modes (the effect), the main window's interval field and slide show, the music player
// and the browser with its name list. They live as long as the main window.
class FolderBrowser;
class MusicPlayer;
class SlideShow;
class TSpinEdit;
class ViewModes;

struct ShowSources {
  ViewModes& modes;
  TSpinEdit& interval;
  SlideShow& slides;
  MusicPlayer& player;
  FolderBrowser& browser;
};
