#include "ScreenSaverExport.h"

#include "ScreenSaverFile.h"
#include "browse/FolderBrowser.h"
#include "controls/Dialogs.h"
#include "controls/TComboBox.h"
#include "controls/TEdit.h"
#include "controls/TForm.h"
#include "controls/TListView.h"
#include "controls/TRadioButton.h"
#include "controls/TSpinEdit.h"
#include "core/PictureArea.h"
#include "core/UserCommands.h"
#include "core/ViewerState.h"
#include "music/MusicPlayer.h"
#include "show/ViewModes.h"

ScreenSaverExport::ScreenSaverExport(ViewerContext context, ShowSources sources, Controls controls)
    : v_(context), s_(sources), c_(controls) {}

void ScreenSaverExport::Prepare() {
  if (QWidget* main = v_.area.scrboxBack->window()) c_.Form->CenterOn(main);
  c_.Form->Show();
  // The show is the list's: the user sees what will be exported and can reorder it.
  if (!v_.commands.ListPanel.Checked()) v_.commands.ListPanel.Run();
  c_.Effect->SetItemIndex(s_.modes.CheckedMode());
  for (int i = 0; i < 4; ++i)
    if (ScreenSaverFile::DisplayCommand(v_.commands, i + 1)->Checked())
      c_.Display[i]->SetChecked(true);
  c_.Interval->SetValue(s_.interval.Value());
  c_.Music->SetText(s_.player.CurMusicFile);
}

void ScreenSaverExport::ChooseMusic() {
  const QStringList chosen = MusicPlayer::ChooseFiles(c_.Form);
  if (!chosen.isEmpty()) c_.Music->SetText(chosen.first());
}

void ScreenSaverExport::Export() {
  Dialogs::FileRequest request;
  request.owner = c_.Form;
  request.save = true;
  request.filters = Dialogs::ParseFilter(ScreenSaverFile::kDialogFilter);
  request.preview = false;
  // No default extension and no overwrite question: ".pss" is always appended below.
  const Dialogs::FileResult result = Dialogs::RunFileDialog(request);
  if (!result.accepted || result.path.isEmpty()) return;

  ScreenSaverFile::Show show;
  show.effect = c_.Effect->ItemIndex();
  for (int i = 0; i < 4; ++i)
    if (c_.Display[i]->Checked()) show.display = i + 1;
  show.seconds = c_.Interval->Value();
  show.music = c_.Music->Text();
  show.folder = v_.state.CurFolder;
  const TListView* names = s_.browser.Names();
  show.names.reserve(names->Count());
  for (int i = 0; i < names->Count(); ++i) show.names << names->Caption(i);
  ScreenSaverFile::Write(result.path + QStringLiteral(".pss"), show);
}
