#include "ScreenSaverFile.h"

#include "core/UserCommands.h"
#include "platform/IniFile.h"

const QString ScreenSaverFile::kDialogFilter = QStringLiteral("*.pss|*.pss");
const QString ScreenSaverFile::kSection = QStringLiteral("ScreenSafe");
const QString ScreenSaverFile::kEffect = QStringLiteral("动画");
const QString ScreenSaverFile::kDisplay = QStringLiteral("显示");
const QString ScreenSaverFile::kTime = QStringLiteral("Time");
const QString ScreenSaverFile::kMusic = QStringLiteral("Music");
const QString ScreenSaverFile::kFolder = QStringLiteral("FilePath");
const QString ScreenSaverFile::kNames = QStringLiteral("FileName");

Command* ScreenSaverFile::DisplayCommand(UserCommands& commands, int number) {
  // Not the order in which a load applies the modes again.
  Command* const modes[4] = {&commands.RealSize, &commands.FitPicture, &commands.FitWidth,
                             &commands.FitHeight};
  return number >= 1 && number <= 4 ? modes[number - 1] : nullptr;
}

ScreenSaverFile::Show ScreenSaverFile::Read(const QString& path) {
  const IniFile file(path);
  Show show;
  show.effect = file.ReadInteger(kSection, kEffect, 0);
  show.display = file.ReadInteger(kSection, kDisplay, 1);
  show.seconds = file.ReadInteger(kSection, kTime, 5);
  show.music = file.ReadString(kSection, kMusic);
  show.folder = file.ReadString(kSection, kFolder);
  // The keys are counted as lines and then read by number: a file with a gap or with
  // other keys in the section gives fewer names, never a wrong order.
  const int count = file.KeyCount(kNames);
  for (int i = 0; i < count; ++i) {
    const QString name = file.ReadString(kNames, QString::number(i));
    if (!name.isEmpty()) show.names << name;
  }
  return show;
}

void ScreenSaverFile::Write(const QString& path, const Show& show) {
  IniFile file(path);
  file.WriteInteger(kSection, kEffect, show.effect);
  if (show.display) file.WriteInteger(kSection, kDisplay, *show.display);
  file.WriteInteger(kSection, kTime, show.seconds);
  file.WriteString(kSection, kMusic, show.music);
  file.WriteString(kSection, kFolder, show.folder);
  // A list written over a longer one must not bring the removed names back at import.
  file.EraseKeys(kNames);
  int key = 0;
  for (const QString& name : show.names) {
    if (name.contains(QLatin1Char('\n')) || name.contains(QLatin1Char('\r'))) continue;
    file.WriteString(kNames, QString::number(key++), name);
  }
  file.Save();
}
