#include "IniFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

#include "FileAttributes.h"
#include "picture/FileSaver.h"
#include "picture/PictureError.h"

namespace {

// Settings files are a few hundred kilobytes at most (ten thousand file names); anything
// far beyond is not one, and is not read into memory.
constexpr qint64 kMaxFileBytes = qint64(64) << 20;

constexpr char kBom[] = "\xEF\xBB\xBF";
const char* const kGbk = "GBK";

bool IsBlank(QChar c) {
  return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QStringView Trimmed(QStringView s) {
  qsizetype begin = 0, end = s.size();
  while (begin < end && IsBlank(s[begin])) ++begin;
  while (end > begin && IsBlank(s[end - 1])) --end;
  return s.sliced(begin, end - begin);
}

bool IsQuote(QChar c) {
  return c == QLatin1Char('"') || c == QLatin1Char('\'');
}

// Names match without regard to the case of ASCII letters only, as the classic
// functions compare them.
QString Fold(QStringView s) {
  QString folded = s.toString();
  for (QChar& c : folded)
    if (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) c = QChar(c.unicode() + ('a' - 'A'));
  return folded;
}

QString ValueAsRead(QStringView raw) {
  QStringView v = Trimmed(raw);
  if (v.size() >= 2 && IsQuote(v.front()) && v.back() == v.front()) v = v.sliced(1, v.size() - 2);
  return v.toString();
}

// Quotes what reading would otherwise change: outer blanks, or an enclosing quote pair.
QString ValueAsWritten(const QString& value) {
  if (value.isEmpty()) return value;
  const bool quote = IsBlank(value.front()) || IsBlank(value.back()) ||
                     (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front());
  return quote ? QLatin1Char('"') + value + QLatin1Char('"') : value;
}

bool HasLineBreakOrNul(const QString& s) {
  for (QChar c : s)
    if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c.isNull()) return true;
  return false;
}

bool HasNonAscii(const QByteArray& bytes) {
  for (char c : bytes)
    if (uchar(c) >= 0x80) return true;
  return false;
}

bool IsUtf8(const QByteArray& bytes) {
  QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
  [[maybe_unused]] const QString text = decoder.decode(bytes);
  return !decoder.hasError();
}

// GBK text through ICU. A character GBK cannot hold makes the encoder report an error;
// the text must also decode back unchanged, so no best-fit substitute slips through.
class GbkCodec {
 public:
  GbkCodec()
      : encoder_(kGbk, QStringConverter::Flag::Stateless),
        decoder_(kGbk, QStringConverter::Flag::Stateless) {}
  bool Valid() const { return encoder_.isValid() && decoder_.isValid(); }

  QString Decode(const QByteArray& bytes) {
    decoder_.resetState();
    return decoder_.decode(bytes);
  }
  std::optional<QByteArray> Encode(const QString& text) {
    encoder_.resetState();
    QByteArray bytes = encoder_.encode(text);
    if (encoder_.hasError() || Decode(bytes) != text) return std::nullopt;
    return bytes;
  }

 private:
  QStringEncoder encoder_;
  QStringDecoder decoder_;
};

}  // namespace

IniFile::IniFile(const QString& path) : path_(path) {
  const QByteArray name = QFile::encodeName(path);
  // Non-blocking, so that a FIFO put in the file's place cannot hang the program.
  const int fd = open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return;  // a missing file reads as empty
    Fail(QStringLiteral("read"), QString::fromLocal8Bit(std::strerror(errno)));
  }
  struct stat st {};
  QByteArray bytes;
  QString problem;
  if (fstat(fd, &st) != 0) {
    problem = QString::fromLocal8Bit(std::strerror(errno));
  } else if (!S_ISREG(st.st_mode)) {
    problem = QStringLiteral("not a regular file");
  } else if (st.st_size > kMaxFileBytes) {
    problem = QStringLiteral("the file is too large for a settings file");
  } else {
    // Up to one byte more than allowed, so that a file growing meanwhile is noticed.
    bytes.resize(qsizetype(st.st_size) + 1);
    qsizetype got = 0;
    for (;;) {
      if (got == bytes.size()) {
        if (bytes.size() > kMaxFileBytes) {
          problem = QStringLiteral("the file is too large for a settings file");
          break;
        }
        bytes.resize(std::min<qsizetype>(bytes.size() * 2, kMaxFileBytes + 1));
      }
      const ssize_t n = read(fd, bytes.data() + got, size_t(bytes.size() - got));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        problem = QString::fromLocal8Bit(std::strerror(errno));
        break;
      }
      if (n == 0) break;
      got += n;
    }
    bytes.truncate(got);
  }
  close(fd);
  if (!problem.isEmpty()) Fail(QStringLiteral("read"), problem);
  Parse(bytes);
}

void IniFile::Fail(const QString& verb, const QString& reason) const {
  throw PictureError(QStringLiteral("Cannot %1 \"%2\": %3").arg(verb, path_, reason).toStdString());
}

void IniFile::Parse(const QByteArray& all) {
  QByteArray bytes = all;
  if (bytes.startsWith(kBom)) {
    encoding_ = Encoding::Utf8;
    bytes.remove(0, 3);
  } else {
    // Pure ASCII is the same in both; it stays GBK unless a new value needs more.
    encoding_ = HasNonAscii(bytes) && IsUtf8(bytes) ? Encoding::Utf8 : Encoding::Gbk;
  }
  GbkCodec gbk;
  if (encoding_ == Encoding::Gbk && HasNonAscii(bytes) && !gbk.Valid())
    Fail(QStringLiteral("read"), QStringLiteral("the GBK encoding is not available"));

  sections_.clear();
  sectionIndex_.clear();
  sections_.emplace_back();  // the lines before the first header

  const char* data = bytes.constData();
  const qsizetype size = bytes.size();
  qsizetype start = 0;
  while (start < size) {
    qsizetype stop = start;
    while (stop < size && data[stop] != '\n' && data[stop] != '\r') ++stop;
    Line line;
    line.raw = QByteArray(data + start, stop - start);
    qsizetype next = stop;
    if (stop < size) {
      const bool crlf = data[stop] == '\r' && stop + 1 < size && data[stop + 1] == '\n';
      next = stop + (crlf ? 2 : 1);
      line.end = QByteArray(data + stop, next - stop);
    }
    start = next;
    // fromUtf8 drops a byte order mark at the start of each line, as files put together
    // from several UTF-8 files hold one at the start of each part.
    line.text = encoding_ == Encoding::Utf8 ? QString::fromUtf8(line.raw) : gbk.Decode(line.raw);

    const QStringView t = Trimmed(line.text);
    Section& current = sections_.back();
    if (t.isEmpty() || t.front() == QLatin1Char(';')) {
      current.tail.push_back(std::move(line));
      continue;
    }
    const qsizetype close = t.front() == QLatin1Char('[') ? t.indexOf(QLatin1Char(']')) : -1;
    if (close > 0) {
      Section section;
      section.hasHeader = true;
      section.name = Trimmed(t.sliced(1, close - 1)).toString();
      section.header = std::move(line);
      sections_.push_back(std::move(section));
      continue;
    }
    // A key line; one without "=" is a key with an empty value.
    const qsizetype eq = t.indexOf(QLatin1Char('='));
    line.key = Trimmed(eq < 0 ? t : t.first(eq)).toString();
    line.value = eq < 0 ? QString() : ValueAsRead(t.sliced(eq + 1));
    // Comments between key lines belong to the key part: new keys go after the last key.
    for (Line& l : current.tail) current.keyPart.push_back(std::move(l));
    current.tail.clear();
    line.isKey = true;
    ++current.keyCount;
    current.keyPart.push_back(std::move(line));
  }
  // Where a name appears twice, the first one counts.
  for (int i = 0; i < int(sections_.size()); ++i) {
    Section& s = sections_[size_t(i)];
    if (s.hasHeader) {
      const QString name = Fold(s.name);
      if (!sectionIndex_.contains(name)) sectionIndex_.insert(name, i);
    }
    for (int k = 0; k < int(s.keyPart.size()); ++k) {
      if (!s.keyPart[size_t(k)].isKey) continue;
      const QString key = Fold(s.keyPart[size_t(k)].key);
      if (!s.keys.contains(key)) s.keys.insert(key, k);
    }
  }
}

int IniFile::FindSection(const QString& name) const {
  return sectionIndex_.value(Fold(Trimmed(name)), -1);
}

std::optional<QString> IniFile::Find(const QString& section, const QString& key) const {
  const int index = FindSection(section);
  if (index < 0) return std::nullopt;
  const Section& s = sections_[size_t(index)];
  const auto it = s.keys.constFind(Fold(Trimmed(key)));
  if (it == s.keys.cend()) return std::nullopt;
  return s.keyPart[size_t(*it)].value;
}

QString IniFile::ReadString(const QString& section, const QString& key,
                            const QString& defaultValue) const {
  return Find(section, key).value_or(defaultValue);
}

int IniFile::ReadInteger(const QString& section, const QString& key, int defaultValue) const {
  const std::optional<QString> value = Find(section, key);
  if (!value) return defaultValue;
  return ParseInteger(*value).value_or(defaultValue);
}

int IniFile::KeyCount(const QString& section) const {
  const int index = FindSection(section);
  return index < 0 ? 0 : sections_[size_t(index)].keyCount;
}

std::optional<int> IniFile::ParseInteger(QStringView text) {
  qsizetype i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
    negative = text[i++] == QLatin1Char('-');
  if (i == text.size()) return std::nullopt;
  qint64 magnitude = 0;
  for (; i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    if (c < u'0' || c > u'9') return std::nullopt;
    magnitude = magnitude * 10 + (c - u'0');
    if (magnitude > qint64(INT_MAX) + 1) return std::nullopt;
  }
  const qint64 value = negative ? -magnitude : magnitude;
  if (value > INT_MAX || value < INT_MIN) return std::nullopt;
  return int(value);
}

void IniFile::CheckStorable(const QString& section, const QString& key,
                            const QString& value) const {
  const QString w = QStringLiteral("write");
  if (HasLineBreakOrNul(section) || HasLineBreakOrNul(key))
    Fail(w, QStringLiteral("the name \"%1\" holds a line break").arg(section + "/" + key));
  if (HasLineBreakOrNul(value))
    Fail(w, QStringLiteral("the value of \"%1\" holds a line break").arg(key));
  const QStringView s = Trimmed(section), k = Trimmed(key);
  if (s.isEmpty() || s.contains(QLatin1Char(']')))
    Fail(w, QStringLiteral("\"%1\" cannot be a section name").arg(section));
  // A byte order mark that starts a line is dropped when the line is read, so a key
  // starting with one would be read back as another key, or as a comment.
  if (k.isEmpty() || k.contains(QLatin1Char('=')) || k.front() == QLatin1Char('[') ||
      k.front() == QLatin1Char(';') || k.front() == QChar(0xFEFF))
    Fail(w, QStringLiteral("\"%1\" cannot be a key name").arg(key));
}

void IniFile::WriteString(const QString& section, const QString& key, const QString& value) {
  CheckStorable(section, key, value);
  const QString sectionName = Trimmed(section).toString();
  const QString keyName = Trimmed(key).toString();

  int index = FindSection(sectionName);
  if (index < 0) {
    Section added;
    added.hasHeader = true;
    added.name = sectionName;
    added.header.text = QLatin1Char('[') + sectionName + QLatin1Char(']');
    added.header.end = "\r\n";
    added.header.rewritten = true;
    index = int(sections_.size());
    sectionIndex_.insert(Fold(sectionName), index);
    sections_.push_back(std::move(added));
  }
  Section* s = &sections_[size_t(index)];
  const QString folded = Fold(keyName);
  const auto it = s->keys.constFind(folded);
  if (it != s->keys.cend()) {
    Line& line = s->keyPart[size_t(*it)];
    // A value that reads the same leaves the line's bytes alone.
    if (line.value == value) return;
    line.text = line.key + QLatin1Char('=') + ValueAsWritten(value);
    line.value = value;
    line.rewritten = true;
    return;
  }
  Line line;
  line.isKey = true;
  line.key = keyName;
  line.value = value;
  line.text = keyName + QLatin1Char('=') + ValueAsWritten(value);
  line.end = "\r\n";
  line.rewritten = true;
  s->keys.insert(folded, int(s->keyPart.size()));
  ++s->keyCount;
  s->keyPart.push_back(std::move(line));
}

void IniFile::WriteInteger(const QString& section, const QString& key, int value) {
  WriteString(section, key, QString::number(value));
}

void IniFile::EraseKeys(const QString& section) {
  const int index = FindSection(section);
  if (index < 0) return;
  Section& s = sections_[size_t(index)];
  std::vector<Line> kept;
  for (Line& line : s.keyPart)
    if (!line.isKey) kept.push_back(std::move(line));
  s.keyPart = std::move(kept);
  s.keys.clear();
  s.keyCount = 0;
}

void IniFile::Save() {
  const QString w = QStringLiteral("write");
  if (const auto attributes = FileAttributes::Read(path_); attributes && attributes->readOnly)
    Fail(w, QStringLiteral("the file is read-only"));

  std::vector<Line*> lines;
  for (Section& s : sections_) {
    if (s.hasHeader) lines.push_back(&s.header);
    for (Line& l : s.keyPart) lines.push_back(&l);
    for (Line& l : s.tail) lines.push_back(&l);
  }

  GbkCodec gbk;
  Encoding encoding = encoding_;
  std::vector<QByteArray> bytes(lines.size());
  if (encoding == Encoding::Gbk) {
    if (!gbk.Valid()) Fail(w, QStringLiteral("the GBK encoding is not available"));
    for (size_t i = 0; i < lines.size(); ++i) {
      if (!lines[i]->rewritten) continue;
      std::optional<QByteArray> encoded = gbk.Encode(lines[i]->text);
      if (!encoded) {
        encoding = Encoding::Utf8;
        break;
      }
      bytes[i] = std::move(*encoded);
    }
  }
  auto encode = [&] {
    for (size_t i = 0; i < lines.size(); ++i) {
      const Line& line = *lines[i];
      if (!line.rewritten && encoding == encoding_)
        bytes[i] = line.raw;  // untouched lines keep their bytes
      else if (encoding == Encoding::Utf8)
        bytes[i] = line.text.toUtf8();
    }
  };
  std::vector<QByteArray> ends(lines.size());
  auto assemble = [&] {
    QByteArray out;
    qsizetype total = encoding == Encoding::Utf8 ? 3 : 0;
    for (size_t i = 0; i < lines.size(); ++i) total += bytes[i].size() + 2;
    out.reserve(total);
    if (encoding == Encoding::Utf8) out += kBom;
    for (size_t i = 0; i < lines.size(); ++i) {
      // An unterminated last line that is no longer last gets a line end.
      ends[i] =
          lines[i]->end.isEmpty() && i + 1 < lines.size() ? QByteArray("\r\n") : lines[i]->end;
      out += bytes[i];
      out += ends[i];
    }
    return out;
  };
  encode();
  QByteArray out = assemble();
  // GBK bytes can happen to be valid UTF-8 as well (a short Chinese name in a file that
  // was ASCII until now): such a file would be read back as UTF-8, as other text.
  if (encoding == Encoding::Gbk && HasNonAscii(out) && IsUtf8(out)) {
    encoding = Encoding::Utf8;
    encode();
    out = assemble();
  }
  FileSaver::Write(path_, out);

  // The file now holds exactly these bytes.
  encoding_ = encoding;
  for (size_t i = 0; i < lines.size(); ++i) {
    lines[i]->raw = std::move(bytes[i]);
    lines[i]->end = std::move(ends[i]);
    lines[i]->rewritten = false;
  }
}
