// Settings files as the program reads and writes them: the file is parsed, keys are read
// as text and as numbers, two keys are written (one that may exist, one in a new section)
// and the file saved. Read again, it must give the written values and, for every other
// name asked before, what it gave before: a save that changes a setting it did not write,
// or writes one that reads back otherwise, is a finding too.
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "FuzzTarget.h"
#include "picture/PictureError.h"
#include "platform/IniFile.h"

namespace {

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

// Section and key names found in the first lines of the file, besides a few fixed ones.
void Names(const QString& text, QStringList& sections, QStringList& keys) {
  sections = {QStringLiteral("Options"), QStringLiteral("设置")};
  keys = {QStringLiteral("Path"), QStringLiteral("Count")};
  const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
  for (qsizetype i = 0; i < lines.size() && i < 24; ++i) {
    const QString line = lines[i].trimmed();
    const qsizetype close = line.startsWith(u'[') ? line.indexOf(u']') : -1;
    if (close > 0) {
      if (sections.size() < 10) sections.append(line.mid(1, close - 1));
    } else if (!line.isEmpty() && keys.size() < 10) {
      keys.append(line.section(u'=', 0, 0));
    }
  }
}

struct Reading {
  QString section, key, text;
  int number;
};

std::vector<Reading> ReadAll(const IniFile& ini, const QStringList& sections,
                             const QStringList& keys) {
  std::vector<Reading> readings;
  for (const QString& s : sections) {
    readings.push_back({s, QString(), QString::number(ini.KeyCount(s)), 0});
    for (const QString& k : keys)
      readings.push_back(
          {s, k, ini.ReadString(s, k, QStringLiteral("\x01missing")), ini.ReadInteger(s, k, -7)});
  }
  return readings;
}

[[noreturn]] void Finding(const Reading& r, const QString& was, const QString& is) {
  std::fprintf(stderr, "[%s] %s: \"%s\" before, \"%s\" after the save\n", qPrintable(r.section),
               qPrintable(r.key), qPrintable(was), qPrintable(is));
  std::abort();
}

}  // namespace

Fuzz::Seeds Fuzz::MakeSeeds() {
  const QString chinese = QStringLiteral(
      "; "
      "图片浏览器的设置\r\n[设置]\r\n路径=C:\\图片\\风景\r\nCount=12\r\n\r\n[文件]\r\n1=山水."
      "jpg\r\n");
  return {
      {"gbk.ini", Gbk(chinese)},
      {"utf8.ini", chinese.toUtf8().replace("\r\n", "\n")},
      {"bom.ini", "\xEF\xBB\xBF" + chinese.toUtf8().replace("\r\n", "\r")},
      {"quotes.ini",
       "[Options]\r\nPath = \"  spaced  \" "
       "\r\nName='single'\r\nHalf=\"open\r\nCount=-2147483648\r\n"
       "; a comment\r\n\tcount = 99\r\nflag\r\n[ OPTIONS ]\r\nPath=second\r\n[options]\r\n"
       "Count=+0012\r\n[Files]\r\nlast=unterminated"},
      {"mixed.ini", "before=header\n[A]\rx=1\r\n[a]\ny=2\n[B]]\n[]\n=empty key\n[C\nz=3"},
  };
}

void Fuzz::Run(const QByteArray& data) {
  const QString path = WriteInput(data, QStringLiteral("ini"));
  QStringList sections, keys;
  Names(QString::fromUtf8(data), sections, keys);
  // The written value: the file's last bytes read as GBK, so that any byte pair can turn
  // up in it, with a character GBK has not when the first byte is odd.
  QString value = QStringDecoder("GBK").decode(data.right(12));
  value.remove(u'\r').remove(u'\n').remove(QChar(0));
  if (!data.isEmpty() && (data[0] & 1)) value += QStringLiteral("😀");
  const QString section = sections.size() > 2 ? sections[2] : QStringLiteral("Fuzz");
  const QString key = keys.size() > 2 ? keys[2] : QStringLiteral("Key");
  const QString newSection = QStringLiteral("Fuzz Added"), newKey = QStringLiteral("Added");
  sections << newSection;
  keys << newKey;
  try {
    IniFile ini(path);
    const std::vector<Reading> before = ReadAll(ini, sections, keys);
    bool wroteFirst = true;
    try {
      ini.WriteString(section, key, value);
    } catch (const PictureError&) {
      wroteFirst = false;  // a name or value this format cannot hold
    }
    ini.WriteString(newSection, newKey, value);
    ini.Save();

    const IniFile again(path);
    const std::vector<Reading> after = ReadAll(again, sections, keys);
    for (size_t i = 0; i < before.size(); ++i) {
      const Reading& b = before[i];
      const Reading& a = after[i];
      const QString s = Folded(b.section), k = Folded(b.key);
      const bool written = (wroteFirst && s == Folded(section) && k == Folded(key)) ||
                           (s == Folded(newSection) && k == Folded(newKey));
      if (b.key.isEmpty()) {
        // Key counts change only in the sections written to.
        if (s != Folded(section) && s != Folded(newSection) && a.text != b.text)
          Finding(b, b.text, a.text);
      } else if (written) {
        if (a.text != value) Finding(b, value, a.text);
      } else if (a.text != b.text || a.number != b.number) {
        Finding(b, b.text, a.text);
      }
    }
  } catch (const PictureError&) {
  }
}
