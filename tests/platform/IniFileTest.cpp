// Initialisation files: the reading rules, key-by-key writing that leaves every other
// line's bytes alone, the GBK / UTF-8 choice, and failures that name the file and keep
// the old one.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <functional>
#include <optional>

#include "TestFiles.h"
#include "picture/PictureError.h"
#include "platform/IniFile.h"

namespace {

QByteArray Gbk(const QString& text) {
  QStringEncoder encoder("GBK");
  QByteArray bytes = encoder.encode(text);
  if (encoder.hasError()) qFatal("test text is not GBK");
  return bytes;
}

QByteArray Contents(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

const QByteArray kBom("\xEF\xBB\xBF");

// Runs f, which must raise PictureError naming path; returns the message.
std::string ExpectErrorNaming(const QString& path, const std::function<void()>& f) {
  try {
    f();
  } catch (const PictureError& e) {
    EXPECT_NE(std::string(e.what()).find(path.toStdString()), std::string::npos) << e.what();
    return e.what();
  }
  ADD_FAILURE() << "no error";
  return {};
}

}  // namespace

TEST(IniFile, ReadingRules) {
  struct Read {
    const char* section;
    const char* key;
    const char* expected;  // nullptr: missing, the default comes back
  };
  struct Case {
    const char* name;
    std::optional<QByteArray> bytes;  // none: no file
    std::vector<Read> reads;
  };
  const QString chinese = QStringLiteral("[ScreenSafe]\r\n动画=4\r\nMusic=音乐/海滩.mp3\r\n");
  const Case cases[] = {
      {"GBK",
       Gbk(chinese),
       {{"ScreenSafe", "动画", "4"}, {"ScreenSafe", "Music", "音乐/海滩.mp3"}}},
      {"UTF-8 with BOM",
       kBom + chinese.toUtf8(),
       {{"ScreenSafe", "动画", "4"}, {"ScreenSafe", "Music", "音乐/海滩.mp3"}}},
      {"UTF-8 without BOM",
       chinese.toUtf8(),
       {{"ScreenSafe", "动画", "4"}, {"ScreenSafe", "Music", "音乐/海滩.mp3"}}},
      {"GBK key never valid UTF-8", QByteArray("[s]\n\xB6\xAF\xBB\xAD=7\n"), {{"s", "动画", "7"}}},
      {"line ends LF, CR, CR LF and none",
       QByteArray("[a]\nx=1\ry=2\r\nz=3\n\r\n[b]\rw=4"),
       {{"a", "x", "1"}, {"a", "y", "2"}, {"a", "z", "3"}, {"b", "w", "4"}}},
      {"blanks around names and values",
       QByteArray("  [  Sec  ]  \n \t Key \t=  \t value with  inner  blanks \t \n"),
       {{"Sec", "Key", "value with  inner  blanks"},
        {" Sec ", " Key\t", "value with  inner  blanks"}}},
      {"quotes",
       QByteArray("[q]\nd=\"  spaced  \"\ns='single'\nm=\"mixed'\nin=a\"b\"\ne=\"\"\none=\"\n"
                  "twice=\"\"x\"\"\nblank= \" x \" \n"),
       {{"q", "d", "  spaced  "},
        {"q", "s", "single"},
        {"q", "m", "\"mixed'"},
        {"q", "in", "a\"b\""},
        {"q", "e", ""},
        {"q", "one", "\""},
        {"q", "twice", "\"x\""},
        {"q", "blank", " x "}}},
      {"ASCII case only",
       QByteArray("[SCREENSAFE]\nKEY=1\n") + QStringLiteral("Ä=2\n").toUtf8(),
       {{"screensafe", "key", "1"},
        {"ScreenSafe", "Key", "1"},
        {"ScreenSafe", "Ä", "2"},
        {"ScreenSafe", "ä", nullptr}}},
      {"first of duplicate keys and sections",
       QByteArray("[s]\nk=first\nK=second\n[S]\nk=third\nother=3\n"),
       {{"s", "k", "first"}, {"s", "other", nullptr}}},
      {"comments, keys without a value, keys before any section",
       QByteArray("top=0\n[s]\n;c=1\n  ; d=2\nbare\n=nameless\na=b=c\n"),
       {{"s", "c", nullptr},
        {"s", "; d", nullptr},
        {"s", "d", nullptr},
        {"s", "bare", ""},
        {"s", "a", "b=c"},
        {"", "top", nullptr},
        {"s", "top", nullptr}}},
      {"byte order marks of UTF-8 files put together",
       kBom + QByteArray("[s]\nk=1\n") + kBom + QByteArray("[t]\n") + kBom + QByteArray("x=2\n"),
       {{"s", "k", "1"}, {"t", "x", "2"}}},
      {"no file", std::nullopt, {{"ScreenSafe", "Time", nullptr}}},
      {"empty file", QByteArray(), {{"ScreenSafe", "Time", nullptr}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestFiles files;
    const QString path =
        c.bytes ? files.WriteBytes(QStringLiteral("t.pss"), *c.bytes) : files.Path("none.pss");
    const IniFile ini(path);
    for (const Read& r : c.reads) {
      SCOPED_TRACE(std::string(r.section) + "/" + r.key);
      const QString expected = r.expected ? QString::fromUtf8(r.expected) : QStringLiteral("<def>");
      EXPECT_EQ(ini.ReadString(QString::fromUtf8(r.section), QString::fromUtf8(r.key),
                               QStringLiteral("<def>")),
                expected);
    }
  }
}

TEST(IniFile, Integers) {
  TestFiles files;
  const QString path = files.WriteBytes(
      "i.ini",
      "[n]\nplain=42\nplus=+7\nminus=-3\nblanks=  12 \t\nquoted=\"5\"\nzero=-0\n"
      "max=2147483647\nmin=-2147483648\nabove=2147483648\nbelow=-2147483649\nhuge="
      "99999999999999999999\n"
      "suffix=12x\nhex=0x10\nempty=\nsign=-\ninner=1 2\nfloat=1.5\nwide=\xEF\xBC\x91\n");
  const IniFile ini(path);
  const std::pair<const char*, int> expected[] = {
      {"plain", 42},  {"plus", 7},      {"minus", -3},    {"blanks", 12},   {"quoted", 5},
      {"zero", 0},    {"max", INT_MAX}, {"min", INT_MIN}, {"above", -99},   {"below", -99},
      {"huge", -99},  {"suffix", -99},  {"hex", -99},     {"empty", -99},   {"sign", -99},
      {"inner", -99}, {"float", -99},   {"wide", -99},    {"missing", -99},
  };
  for (const auto& [key, value] : expected) EXPECT_EQ(ini.ReadInteger("n", key, -99), value) << key;
  EXPECT_EQ(IniFile(files.Path("missing.ini")).ReadInteger("n", "plain", 5), 5);
}

TEST(IniFile, KeyCount) {
  TestFiles files;
  const QString path = files.WriteBytes(
      "c.ini", "[FileName]\n0=a\n; comment\n\n1=b\nbare\n1=again\n[Other]\nx=1\n[filename]\n2=c\n");
  const IniFile ini(path);
  // Key lines of the first section of that name: duplicates and lines without "=" count.
  EXPECT_EQ(ini.KeyCount("FileName"), 4);
  EXPECT_EQ(ini.KeyCount("other"), 1);
  EXPECT_EQ(ini.KeyCount("none"), 0);
}

// The settings of a show written into a new file: exactly these GBK lines, each ending in
// CR LF.
TEST(IniFile, NewFileBytes) {
  TestFiles files;
  const QString path = files.Path("show.pss");
  IniFile ini(path);
  ini.WriteInteger("ScreenSafe", "动画", 4);
  ini.WriteInteger("ScreenSafe", "显示", 3);
  ini.WriteInteger("ScreenSafe", "Time", 8);
  ini.WriteString("ScreenSafe", "Music", "");
  ini.WriteString("ScreenSafe", "FilePath", "/home/u/图片/");
  const QStringList names = {"a.jpg", "b.bmp", "c.jpg"};
  for (int i = 0; i < names.size(); ++i) ini.WriteString("FileName", QString::number(i), names[i]);
  ini.Save();
  EXPECT_EQ(Contents(path),
            Gbk(QStringLiteral("[ScreenSafe]\r\n动画=4\r\n显示=3\r\nTime=8\r\nMusic=\r\n"
                               "FilePath=/home/u/图片/\r\n[FileName]\r\n0=a.jpg\r\n"
                               "1=b.bmp\r\n2=c.jpg\r\n")));
  EXPECT_EQ(IniFile(path).ReadString("ScreenSafe", "FilePath"), "/home/u/图片/");
}

// Writing changes only the lines of the keys written; foreign sections, comments, blank
// lines and their line ends keep their bytes and places.
TEST(IniFile, WritesKeyByKey) {
  struct Case {
    const char* name;
    QByteArray before;
    std::function<void(IniFile&)> change;
    QByteArray after;
  };
  // Foreign lines, one with bytes no GBK decoder gives back (a lone lead byte).
  const QByteArray foreign = Gbk(QStringLiteral("; 说明\n[Other]\r\nkeep = \" 原样 \" \nx=1\r")) +
                             QByteArray("; odd \x81\n");
  const Case cases[] = {
      {"existing key in place, new key after the last key line, new section at the end",
       foreign + "[ScreenSafe]\nTime = 5 \n; note\nMusic=m.wav\n\n; trailing\n\n",
       [](IniFile& ini) {
         ini.WriteInteger("screensafe", "TIME", 8);
         ini.WriteString("ScreenSafe", "FilePath", "/p/");
         ini.WriteString("FileName", "0", "a.jpg");
       },
       foreign + "[ScreenSafe]\nTime=8\n; note\nMusic=m.wav\nFilePath=/p/\r\n\n; trailing\n\n"
                 "[FileName]\r\n0=a.jpg\r\n"},
      {"a value that reads the same keeps its bytes",
       foreign + "[ScreenSafe]\r\nTime =  8\t\r\nMusic=\"\"\r\n",
       [](IniFile& ini) {
         ini.WriteInteger("ScreenSafe", "Time", 8);
         ini.WriteString("ScreenSafe", "Music", "");
       },
       foreign + "[ScreenSafe]\r\nTime =  8\t\r\nMusic=\"\"\r\n"},
      {"an unterminated last line gets a line end when lines follow",
       foreign + "[ScreenSafe]\nTime=5",
       [](IniFile& ini) { ini.WriteInteger("ScreenSafe", "动画", 2); },
       foreign + "[ScreenSafe]\nTime=5\r\n" + Gbk(QStringLiteral("动画=2\r\n"))},
      {"a new key of an empty section goes right after its header",
       foreign + "[Empty]\n; only a comment\n",
       [](IniFile& ini) { ini.WriteString("Empty", "k", "v"); },
       foreign + "[Empty]\nk=v\r\n; only a comment\n"},
      {"the first of duplicate sections and keys is the one written",
       foreign + "[s]\nk=1\nk=2\n[S]\nk=3\n",
       [](IniFile& ini) { ini.WriteString("s", "k", "new"); },
       foreign + "[s]\nk=new\nk=2\n[S]\nk=3\n"},
      {"removing every key of a section keeps its header, comments and other sections",
       foreign + "[FileName]\n0=a\n; c\n1=b\n2=c\n\n[After]\ny=2\n",
       [](IniFile& ini) {
         ini.EraseKeys("FILENAME");
         ini.WriteString("FileName", "0", "z");
       },
       foreign + "[FileName]\n; c\n0=z\r\n\n[After]\ny=2\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestFiles files;
    const QString path = files.WriteBytes("w.pss", c.before);
    IniFile ini(path);
    c.change(ini);
    ini.Save();
    EXPECT_EQ(Contents(path), c.after);
    // Nothing left beside it.
    EXPECT_EQ(QDir(files.Folder()).entryList(QDir::Files), QStringList{"w.pss"});
  }
}

// Values read back exactly as written, whatever blanks, quotes or signs they hold; a
// character GBK cannot hold turns the whole file into UTF-8 with a byte order mark.
TEST(IniFile, RoundTrip) {
  struct Case {
    const char* value;
    bool utf8;
  };
  const Case cases[] = {
      {"海滩.jpg", false}, {"한글.jpg", true}, {" x.jpg ", false},         {"\"q\".jpg", false},
      {"\"q\"", false},    {"'q'", false},     {"a=b;[c].jpg", false},     {"\t", false},
      {"\"", false},       {"", false},        {"; not a comment", false}, {"€ 😀", true},
  };
  const QByteArray foreign = Gbk(QStringLiteral("[Other]\r\n名字=海滩\r\n; 注释\r\n"));
  for (const Case& c : cases) {
    const QString value = QString::fromUtf8(c.value);
    SCOPED_TRACE(c.value);
    TestFiles files;
    const QString path = files.WriteBytes("r.pss", foreign);
    {
      IniFile ini(path);
      ini.WriteString("FileName", "0", value);
      ini.Save();
      // The object goes on from what it wrote: a second save gives the same bytes.
      const QByteArray first = Contents(path);
      ini.Save();
      EXPECT_EQ(Contents(path), first);
    }
    const QByteArray bytes = Contents(path);
    EXPECT_EQ(bytes.startsWith(kBom), c.utf8);
    const IniFile back(path);
    EXPECT_EQ(back.ReadString("FileName", "0", "<def>"), value);
    // The foreign lines keep their text, and their bytes while the file stays GBK.
    EXPECT_EQ(back.ReadString("Other", "名字"), "海滩");
    if (c.utf8)
      EXPECT_TRUE(
          bytes.startsWith(kBom + QStringLiteral("[Other]\r\n名字=海滩\r\n; 注释\r\n").toUtf8()));
    else
      EXPECT_TRUE(bytes.startsWith(foreign));
  }
}

// A UTF-8 file stays UTF-8 even when everything new would fit GBK, and its lines keep
// their bytes; one without a byte order mark gets one.
TEST(IniFile, Utf8FileStaysUtf8) {
  const QByteArray body = QStringLiteral("[Other]\n名字=海滩\n").toUtf8();
  for (const QByteArray& before : {kBom + body, body}) {
    TestFiles files;
    const QString path = files.WriteBytes("u.pss", before);
    IniFile ini(path);
    ini.WriteString("FileName", "0", "图.jpg");
    ini.Save();
    EXPECT_EQ(Contents(path), kBom + body + QStringLiteral("[FileName]\r\n0=图.jpg\r\n").toUtf8());
  }
}

// GBK bytes may happen to be valid UTF-8 ("茅" is C3 A9 in GBK, "é" in UTF-8): a file
// saved as GBK would then be read back as UTF-8, as other text. Such a file is written as
// UTF-8 with a byte order mark; one whose GBK bytes cannot pass for UTF-8 stays GBK.
TEST(IniFile, GbkThatWouldReadAsUtf8BecomesUtf8) {
  struct Case {
    const char* name;
    QByteArray before;
    const char* key;
    const char* value;
    QByteArray after;
  };
  const Case cases[] = {
      {"ASCII file, new value", "[s]\r\n", "k", "茅",
       kBom + QStringLiteral("[s]\r\nk=茅\r\n").toUtf8()},
      // "动" held the only bytes that were not UTF-8; the comment keeps its text.
      {"rewritten line", Gbk(QStringLiteral("[s]\r\nk=动\r\n; 茅\r\n")), "k", "x",
       kBom + QStringLiteral("[s]\r\nk=x\r\n; 茅\r\n").toUtf8()},
      {"GBK that is no UTF-8", "[s]\r\n", "k", "海滩.jpg",
       "[s]\r\n" + Gbk(QStringLiteral("k=海滩.jpg\r\n"))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestFiles files;
    const QString path = files.WriteBytes("g.pss", c.before);
    IniFile ini(path);
    ini.WriteString("s", c.key, QString::fromUtf8(c.value));
    ini.Save();
    EXPECT_EQ(Contents(path), c.after);
    EXPECT_EQ(IniFile(path).ReadString("s", c.key), QString::fromUtf8(c.value));
  }
}

TEST(IniFile, UnstorableNamesAndValuesAreRefused) {
  struct Case {
    const char* section;
    const char* key;
    const char* value;
  };
  const Case cases[] = {
      {"FileName", "0", "line\nbreak.jpg"},
      {"FileName", "0", "cr\r.jpg"},
      {"ScreenSafe", "FilePath", "/a\nb/"},
      {"Sec\ntion", "k", "v"},
      {"s", "k\r", "v"},
      {"s", "a=b", "v"},
      {"s", "", "v"},
      {"s", "  ", "v"},
      {"", "k", "v"},
      {"a]b", "k", "v"},
      {"s", "[k", "v"},
      {"s", ";k", "v"},
      // Reading drops a byte order mark at the start of a line: "k", or a comment.
      {"s", " \xEF\xBB\xBFk", "v"},
      {"s", " \xEF\xBB\xBF;k", "v"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.section) + "/" + c.key + "/" + c.value);
    TestFiles files;
    const QString path = files.WriteBytes("x.pss", "[s]\r\nk=old\r\n");
    IniFile ini(path);
    ExpectErrorNaming(path, [&] { ini.WriteString(c.section, c.key, c.value); });
    // Nothing of the refused write reaches the file.
    ini.Save();
    EXPECT_EQ(Contents(path), "[s]\r\nk=old\r\n");
  }
  // The NUL character, which would end the line for the classic readers.
  TestFiles files;
  IniFile ini(files.Path("n.pss"));
  ExpectErrorNaming(files.Path("n.pss"),
                    [&] { ini.WriteString("s", "k", QString(QChar(0)) + "x"); });
}

TEST(IniFile, FailuresNameTheFileAndKeepIt) {
  TestFiles files;
  // A read-only target: refused for everyone, root included; the old bytes stay.
  const QByteArray old = Gbk(QStringLiteral("[ScreenSafe]\r\n动画=1\r\n"));
  const QString readOnly = files.WriteBytes("ro.pss", old);
  chmod(QFile::encodeName(readOnly).constData(), 0444);
  IniFile ini(readOnly);
  ini.WriteInteger("ScreenSafe", "动画", 5);
  ExpectErrorNaming(readOnly, [&] { ini.Save(); });
  EXPECT_EQ(Contents(readOnly), old);
  EXPECT_EQ(QDir(files.Folder()).entryList(QDir::Files), QStringList{"ro.pss"});

  // A folder that does not exist.
  const QString nowhere = files.Path("no/such/dir/x.pss");
  IniFile lost(nowhere);
  lost.WriteInteger("s", "k", 1);
  ExpectErrorNaming(nowhere, [&] { lost.Save(); });

  // Reading what is not a regular file: a folder, and a FIFO, which must not block.
  QDir(files.Folder()).mkdir("folder.pss");
  const QString folder = files.Path("folder.pss");
  ExpectErrorNaming(folder, [&] { IniFile read(folder); });
  const QString fifo = files.Path("fifo.pss");
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  ExpectErrorNaming(fifo, [&] { IniFile read(fifo); });
}

// Ten thousand list entries: written, read back and rewritten shorter, each one parse and
// one write. The file has the shape of an exported show: its GBK "动画" keeps it from
// reading as valid UTF-8, which "图片" alone in GBK (CD BC C6 AC) would.
TEST(IniFile, LongLists) {
  TestFiles files;
  const QString path = files.Path("long.pss");
  {
    IniFile ini(path);
    ini.WriteInteger("ScreenSafe", "动画", 0);
    for (int i = 0; i < 10000; ++i)
      ini.WriteString("FileName", QString::number(i), QStringLiteral("图片%1.jpg").arg(i));
    ini.Save();
  }
  {
    IniFile ini(path);
    ASSERT_EQ(ini.KeyCount("FileName"), 10000);
    for (int i = 0; i < 10000; i += 997)
      EXPECT_EQ(ini.ReadString("FileName", QString::number(i)),
                QStringLiteral("图片%1.jpg").arg(i));
    ini.EraseKeys("FileName");
    for (int i = 0; i < 3; ++i) ini.WriteString("FileName", QString::number(i), "x");
    ini.Save();
  }
  EXPECT_EQ(Contents(path),
            Gbk(QStringLiteral("[ScreenSafe]\r\n动画=0\r\n[FileName]\r\n0=x\r\n1=x\r\n2=x\r\n")));
}
