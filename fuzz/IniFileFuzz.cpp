// Settings files as the program reads and writes them (the screen-saver file): the file is
// parsed, keys are read as text and as numbers and counted, then keys are written, a
// section's keys erased and the file saved. Read again, it must give what was written
// and, for every other name asked before, what it gave before: a save that changes a
// setting it did not write, or a written value that reads back otherwise, is a finding.
#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

#include "FuzzTarget.h"
#include "picture/PictureError.h"
#include "platform/IniFile.h"

namespace {

const QString kMissing = QStringLiteral("\x01missing");
constexpr int kNoNumber = -7;

QByteArray Gbk(const QString& text) {
  QStringEncoder encoder("GBK");
  return encoder.encode(text);
}

// Names as the reader matches them: trimmed of blanks and tabs, ASCII letters folded.
QString Folded(const QString& name) {
  QString s = name;
  while (!s.isEmpty() && (s.front() == u' ' || s.front() == u'\t')) s.remove(0, 1);
  while (!s.isEmpty() && (s.back() == u' ' || s.back() == u'\t')) s.chop(1);
  for (QChar& c : s)
    if (c >= u'A' && c <= u'Z') c = QChar(c.unicode() + 32);
  return s;
}

// The names the program uses, and those found in the first lines of the file.
void Names(const QString& text, QStringList& sections, QStringList& keys) {
  sections = {QStringLiteral("ScreenSafe"), QStringLiteral("FileName")};
  keys = {QStringLiteral("动画"), QStringLiteral("Time"), QStringLiteral("Music"),
          QStringLiteral("0"), QStringLiteral("1")};
  // LF, CR LF and CR all end a line: split at either, and skip the empty lines.
  const QStringList lines = QString(text).replace(u'\r', u'\n').split(u'\n', Qt::SkipEmptyParts);
  for (qsizetype i = 0; i < lines.size() && i < 24; ++i) {
    const QString line = lines[i].trimmed();
    const qsizetype close = line.startsWith(u'[') ? line.indexOf(u']') : -1;
    if (close > 0) {
      if (sections.size() < 10) sections.append(line.mid(1, close - 1));
    } else if (const QString key = line.section(u'=', 0, 0); !key.isEmpty() && keys.size() < 14) {
      keys.append(key);
    }
  }
}

struct Reading {
  QString section, key, text;  // no key: text is the section's key count
  int number;
};

std::vector<Reading> ReadAll(const IniFile& ini, const QStringList& sections,
                             const QStringList& keys) {
  std::vector<Reading> readings;
  for (const QString& s : sections) {
    readings.push_back({s, QString(), QString::number(ini.KeyCount(s)), 0});
    for (const QString& k : keys)
      readings.push_back({s, k, ini.ReadString(s, k, kMissing), ini.ReadInteger(s, k, kNoNumber)});
  }
  return readings;
}

// What was done to the file, in order: a key written, or a section's keys erased.
struct Change {
  QString section, key, value;  // no key: EraseKeys
};

// The text a key should read after the changes; nothing when they did not touch it.
std::optional<QString> Expected(const std::vector<Change>& changes, const QString& section,
                                const QString& key) {
  std::optional<QString> text;
  for (const Change& c : changes) {
    if (Folded(c.section) != Folded(section)) continue;
    if (c.key.isNull())
      text = kMissing;
    else if (Folded(c.key) == Folded(key))
      text = c.value;
  }
  return text;
}

bool Touched(const std::vector<Change>& changes, const QString& section) {
  for (const Change& c : changes)
    if (Folded(c.section) == Folded(section)) return true;
  return false;
}

[[noreturn]] void Finding(const Reading& r, const QString& expected, const Reading& got) {
  std::fprintf(stderr, "[%s] %s: \"%s\" expected, \"%s\" (%d) after the save\n",
               qPrintable(r.section), qPrintable(r.key), qPrintable(expected), qPrintable(got.text),
               got.number);
  std::abort();
}

}  // namespace

Fuzz::Seeds Fuzz::MakeSeeds() {
  const QString chinese = QStringLiteral("; 屏幕保护\r\n[ScreenSafe]\r\n动画=4\r\n显示=2\r\n") +
                          QStringLiteral("Time=12\r\nMusic=/音乐/海滩.mp3\r\nFilePath=/图片/\r\n") +
                          QStringLiteral("\r\n[FileName]\r\n0=山水.jpg\r\n1=茅屋.png\r\n");
  return {
      {"gbk.pss", Gbk(chinese)},
      {"utf8.pss", chinese.toUtf8().replace("\r\n", "\n")},
      {"bom.pss", "\xEF\xBB\xBF" + chinese.toUtf8().replace("\r\n", "\r")},
      {"quotes.pss",
       "[ScreenSafe]\r\nMusic = \"  spaced  \" \r\nFilePath='single'\r\nHalf=\"open\r\n"
       "Time=-2147483648\r\n; a comment\r\n\ttime = 99\r\nflag\r\n[ SCREENSAFE ]\r\n"
       "Music=second\r\n[screensafe]\r\nTime=+0012\r\n[FileName]\r\n0=unterminated"},
      {"mixed.pss",
       "before=header\n[FileName]\r0=a\r\n[filename]\n1=b\n[B]]\n[]\n=empty key\n[C\nz=3"},
  };
}

void Fuzz::Run(const QByteArray& data) {
  const QString path = WriteInput(data, QStringLiteral("pss"));
  QStringList sections, keys;
  Names(QString::fromUtf8(data), sections, keys);
  // The written value: the file's last bytes read as GBK, so that any byte pair can turn
  // up in it, with a character GBK has not when the first byte is odd.
  QString value = QStringDecoder("GBK").decode(data.right(12));
  value.remove(u'\r').remove(u'\n').remove(QChar(0));
  if (!data.isEmpty() && (data[0] & 1)) value += QStringLiteral("😀");
  const int number = int(data.size() * 7919 - 40000);
  const QString foundSection = sections.size() > 2 ? sections[2] : QStringLiteral("Fuzz");
  const QString foundKey = keys.size() > 5 ? keys[5] : QStringLiteral("Key");
  sections << QStringLiteral("Fuzz Added");
  keys << QStringLiteral("Added");
  try {
    IniFile ini(path);
    const std::vector<Reading> before = ReadAll(ini, sections, keys);
    // As the program writes the screen-saver file, and a name found in the file.
    std::vector<Change> changes;
    auto write = [&](const QString& section, const QString& key, const QString& text) {
      try {
        ini.WriteString(section, key, text);
        changes.push_back({section, key, text});
      } catch (const PictureError&) {
        // a name or value this format cannot hold
      }
    };
    write(foundSection, foundKey, value);
    ini.WriteInteger(QStringLiteral("ScreenSafe"), QStringLiteral("Time"), number);
    changes.push_back(
        {QStringLiteral("ScreenSafe"), QStringLiteral("Time"), QString::number(number)});
    ini.EraseKeys(QStringLiteral("FileName"));
    changes.push_back({QStringLiteral("FileName"), QString(), QString()});
    write(QStringLiteral("FileName"), QStringLiteral("0"), value);
    write(QStringLiteral("Fuzz Added"), QStringLiteral("Added"), value);
    ini.Save();

    const IniFile again(path);
    const std::vector<Reading> after = ReadAll(again, sections, keys);
    for (size_t i = 0; i < before.size(); ++i) {
      const Reading& b = before[i];
      const Reading& a = after[i];
      if (b.key.isNull()) {
        // Key counts change only in the sections changed.
        if (!Touched(changes, b.section) && a.text != b.text) Finding(b, b.text, a);
        continue;
      }
      const std::optional<QString> expected = Expected(changes, b.section, b.key);
      const QString text = expected.value_or(b.text);
      const int n = !expected               ? b.number
                    : *expected == kMissing ? kNoNumber
                                            : IniFile::ParseInteger(*expected).value_or(kNoNumber);
      if (a.text != text || a.number != n) Finding(b, text, a);
    }
  } catch (const PictureError&) {
  }
}
