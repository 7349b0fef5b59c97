#include "FileInfoPanel.h"

#include "controls/TCheckBox.h"
#include "controls/TEdit.h"
#include "controls/TLabel.h"
#include "controls/TPanel.h"
#include "core/PictureArea.h"
#include "core/ViewerState.h"
#include "core/WindowHost.h"
#include "platform/DosTime.h"
#include "platform/FileAttributes.h"
#include "platform/FileManager.h"
#include "platform/FileStatus.h"
#include "view/ZoomControl.h"

FileInfoPanel::FileInfoPanel(ViewerContext context, Controls controls, ZoomControl& zoom)
    : v_(context), c_(controls), zoom_(zoom) {}

void FileInfoPanel::ShowFileInformation(const QFileInfo& file) {
  const std::optional<FileStatus> status = FileStatus::Read(file.absoluteFilePath());
  if (!status) return;
  c_.fedFileName->SetText(v_.state.CurFileName);
  c_.fedFilePath->SetText(v_.state.CurFolder);
  // A long folder shows from its start, as the fields show any text.
  c_.fedFileName->setCursorPosition(0);
  c_.fedFilePath->setCursorPosition(0);
  const QString size = FileStatus::SizeText(status->size);
  c_.lblFileSize->SetCaption(size);
  TStatusBar* statusBar = v_.area.StatusBar;
  statusBar->SetText(PictureArea::kFileSize, size);
  c_.lblCreateTime->SetCaption(DosTime::FileTimeText(status->created));
  c_.lblWriteTime->SetCaption(DosTime::FileTimeText(status->written));
  c_.lblAccessTime->SetCaption(DosTime::FileTimeText(status->accessed));
  statusBar->SetText(PictureArea::kWriteTime,
                     QStringLiteral("修改时间: ") + c_.lblWriteTime->Caption());
}

void FileInfoPanel::ShowAttributes(const QString& path) {
  c_.fcbReadOnly->SetChecked(false);
  c_.fcbHidden->SetChecked(false);
  c_.fcbArchive->SetChecked(false);
  const std::optional<FileAttributes> attributes = FileAttributes::Read(path);
  if (!attributes) return;
  c_.fcbReadOnly->SetChecked(attributes->readOnly);
  c_.fcbHidden->SetChecked(attributes->hidden);
  c_.fcbArchive->SetChecked(attributes->archive);
}

void FileInfoPanel::ShowNoFile() {
  for (TEdit* field : {c_.fedFileName, c_.fedFilePath}) field->SetText(QString());
  for (TLabel* label : {c_.lblFileSize, c_.lblCreateTime, c_.lblWriteTime, c_.lblAccessTime})
    label->SetCaption(QString());
  for (TCheckBox* box : {c_.fcbReadOnly, c_.fcbHidden, c_.fcbArchive}) box->SetChecked(false);
}

void FileInfoPanel::TogglePropertiesPanel() {
  v_.host.CloseMenu(WindowHost::Menu::View);
  v_.state.MenuOpen = false;
  c_.Panel2->SetVisible(!c_.Panel2->Visible());
  zoom_.ReapplyFitMode();
}

void FileInfoPanel::ShowFileManagerProperties() {
  if (v_.state.CurFolder.isEmpty()) return;
  FileManager::ShowItemProperties(v_.state.CurrentPath());
}
