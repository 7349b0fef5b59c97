// The file information panel: name, folder, size, times and attributes of the current
// picture, the panel toggle and the file manager's properties dialog.
#include "app/Forms.h"
#include "app/MainForm.h"
#include "app/menuViewForm.h"
#include "platform/DosTime.h"
#include "platform/FileAttributes.h"
#include "platform/FileManager.h"
#include "platform/FileStatus.h"

void TMainForm::ShowFileInformation(const QFileInfo& file) {
  // A file that vanished leaves the fields as they were.
  const std::optional<FileStatus> status = FileStatus::Read(file.absoluteFilePath());
  if (!status) return;
  fedFileName->SetText(CurFileName);
  fedFilePath->SetText(CurFolder);
  // A long folder shows from its start, as the fields show any text.
  fedFileName->setCursorPosition(0);
  fedFilePath->setCursorPosition(0);
  const QString size = FileStatus::SizeText(status->size);
  lblFileSize->SetCaption(size);
  StatusBar->SetText(2, size);
  lblCreateTime->SetCaption(DosTime::FileTimeText(status->created));
  lblWriteTime->SetCaption(DosTime::FileTimeText(status->written));
  lblAccessTime->SetCaption(DosTime::FileTimeText(status->accessed));
  StatusBar->SetText(4, QStringLiteral("修改时间: ") + lblWriteTime->Caption());
}

void TMainForm::ShowAttributes(const QString& path) {
  fcbReadOnly->SetChecked(false);
  fcbHidden->SetChecked(false);
  fcbArchive->SetChecked(false);
  const std::optional<FileAttributes> attributes = FileAttributes::Read(path);
  if (!attributes) return;
  fcbReadOnly->SetChecked(attributes->readOnly);
  fcbHidden->SetChecked(attributes->hidden);
  fcbArchive->SetChecked(attributes->archive);
}

void TMainForm::TogglePropertiesPanel() {
  menuViewForm->CloseMenu();
  MenuOpen = false;
  Panel2->SetVisible(!Panel2->Visible());
  ReapplyFitMode();
}

void TMainForm::fbtnPicPropertyClick() {
  if (CurFolder.isEmpty()) return;
  FileManager::ShowItemProperties(CurFolder + CurFileName);
}
