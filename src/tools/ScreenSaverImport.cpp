#include "ScreenSaverImport.h"

#include <algorithm>

#include "ScreenSaverFile.h"
#include "browse/FolderBrowser.h"
#include "controls/Dialogs.h"
#include "controls/TListView.h"
#include "controls/TSpinEdit.h"
#include "core/PictureArea.h"
#include "core/UserCommands.h"
#include "core/ViewerState.h"
#include "core/WindowHost.h"
#include "music/MusicPlayer.h"
#include "show/SlideShow.h"
#include "show/ViewModes.h"

ScreenSaverImport::ScreenSaverImport(ViewerContext context, ShowSources sources)
    : v_(context), s_(sources) {}

void ScreenSaverImport::Import() {
  Dialogs::FileRequest request;
  request.owner = v_.area.scrboxBack->window();
  request.filters = Dialogs::ParseFilter(ScreenSaverFile::kDialogFilter);
  request.preview = false;
  const Dialogs::FileResult result = Dialogs::RunFileDialog(request);
  if (!result.accepted || result.path.isEmpty()) return;
  Play(result.path);
}

void ScreenSaverImport::Play(const QString& path) {
  const ScreenSaverFile::Show show = ScreenSaverFile::Read(path);
  UserCommands& commands = v_.commands;

  // The effect: its action runs when the check changes it (menus close, the effect plays).
  s_.modes.CheckMode(show.effect);

  v_.area.imgMain->SetVisible(true);
  if (Command* display = ScreenSaverFile::DisplayCommand(commands, show.display.value_or(1)))
    display->Run();

  // The timer always takes the field's value, also when the field showed it already.
  s_.interval.SetValue(std::clamp(show.seconds, 1, 60));
  s_.slides.IntervalChanged();

  // The music before the folder and the list: music the device refuses ends the import,
  // and the old list must then not be paired with the new folder.
  if (show.music.isEmpty()) {
    s_.player.CurMusicFile.clear();
  } else if (!s_.player.PlayInLoop(show.music)) {
    return;
  }

  QString folder = show.folder;
  if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
  v_.state.CurFolder = folder;
  // The names are taken as they stand: one that is missing is reported when the show
  // reaches it. The thumbnails stay; the lists' selections follow each other by caption.
  TListView* names = s_.browser.Names();
  s_.browser.BeginListFill();
  names->SetSortType(false);
  for (const QString& name : show.names) names->Add(name);

  v_.host.StartPictureShow();

  names->ClearSelection();
  v_.state.CurIndex = 0;
  commands.NextPicture.Run();
  // The toggle from the stopped look: the show runs whether it ran before or not.
  commands.SlideShow.SetChecked(false);
  commands.SlideShow.Run();
}
