#pragma once
// An initialisation file ("[section]" headers, "key=value" lines) read once, changed in
// memory and written back in one piece, with the rules of the classic profile functions:
//
// - Section and key names are trimmed and matched without regard to the case of ASCII
//   letters; where a name appears twice, the first one counts. Lines starting with ";"
//   are comments; lines may end in LF, CR LF or CR. In UTF-8 files a byte order mark at
//   the start of any line is ignored (files put together from several keep theirs).
// - Values are read trimmed of blanks and tabs, without one pair of enclosing quotes.
// - Writing changes the file key by key: an existing key gets its new value in place, a
//   new key goes after the last key line of its section, a new section goes at the end.
//   Every other line keeps its bytes and its place. New lines are "key=value" + CR LF.
// - Files are GBK (code page 936). A file that already is UTF-8, one that would have to
//   hold a character GBK cannot, or one whose GBK bytes would read as UTF-8, is written
//   as UTF-8 with a byte order mark.
//
// A whole save is one parse (the constructor) and one atomic write (Save, through
// FileSaver), never a pass over the file per key. Failures raise PictureError with the
// file's name; a failed save leaves the old file as it was.
#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

class IniFile {
 public:
  // Reads and parses path. A missing file reads as empty; anything else that cannot be
  // read (not a regular file, no permission, absurdly large) raises PictureError.
  explicit IniFile(const QString& path);

  const QString& Path() const { return path_; }

  // The value of key in section, or defaultValue when either is missing.
  QString ReadString(const QString& section, const QString& key,
                     const QString& defaultValue = QString()) const;
  // The value as an integer (optional sign, decimal digits, within int); defaultValue
  // when the key is missing or holds anything else.
  int ReadInteger(const QString& section, const QString& key, int defaultValue) const;
  // The number of key lines of section (duplicates included), 0 when it is missing.
  int KeyCount(const QString& section) const;

  // Sets key in section, in memory until Save. Raises PictureError naming the file when
  // a name or the value cannot be stored in this format (a line break, a NUL, an empty
  // name, "=" in a key, "]" in a section name, a key starting with "[", ";" or a byte
  // order mark, which reading drops at the start of a line).
  void WriteString(const QString& section, const QString& key, const QString& value);
  void WriteInteger(const QString& section, const QString& key, int value);
  // Removes every key line of section; its header, comments and blank lines stay.
  void EraseKeys(const QString& section);

  // Writes the whole file at once. A target marked read-only is refused (the owner's
  // write bit counts for root too, as in the file properties).
  void Save();

  // An optional sign followed by decimal digits, within the range of int.
  static std::optional<int> ParseInteger(QStringView text);

 private:
  enum class Encoding { Gbk, Utf8 };

  struct Line {
    QByteArray raw;  // the bytes as read (or last written), without the line end
    QByteArray end;  // "\r\n", "\n", "\r", or nothing on a file's unterminated last line
    QString text;    // raw decoded, or the new text of a rewritten line
    bool rewritten = false;
    bool isKey = false;
    QString key;    // trimmed key name of a key line
    QString value;  // the value as read
  };

  struct Section {
    bool hasHeader = false;  // false for the lines before the first header
    QString name;
    Line header;
    std::vector<Line> keyPart;  // from the header up to and including the last key line
    std::vector<Line> tail;     // the comments and blank lines after the last key line
    QHash<QString, int> keys;   // folded key name -> index of its first line in keyPart
    int keyCount = 0;
  };

  [[noreturn]] void Fail(const QString& verb, const QString& reason) const;
  void Parse(const QByteArray& bytes);
  // Index into sections_ of the first section of that name, or -1.
  int FindSection(const QString& name) const;
  std::optional<QString> Find(const QString& section, const QString& key) const;
  void CheckStorable(const QString& section, const QString& key, const QString& value) const;

  QString path_;
  Encoding encoding_ = Encoding::Gbk;
  std::vector<Section> sections_;
  QHash<QString, int> sectionIndex_;  // folded name -> index of its first section
};
