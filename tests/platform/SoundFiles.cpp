#include "SoundFiles.h"

namespace {
void Little16(QByteArray& out, quint32 v) {
  out.append(char(v & 0xFF));
  out.append(char((v >> 8) & 0xFF));
}
void Little32(QByteArray& out, quint32 v) {
  for (int i = 0; i < 4; ++i) out.append(char((v >> (8 * i)) & 0xFF));
}
void Big32(QByteArray& out, quint32 v) {
  for (int i = 3; i >= 0; --i) out.append(char((v >> (8 * i)) & 0xFF));
}
void Big16(QByteArray& out, quint32 v) {
  out.append(char((v >> 8) & 0xFF));
  out.append(char(v & 0xFF));
}
QByteArray Bytes(std::initializer_list<int> values) {
  QByteArray out;
  for (int v : values) out.append(char(v));
  return out;
}
}  // namespace

QByteArray SoundFiles::Wav(int milliseconds, qint16 level, int rate, int channels) {
  const quint32 frames = quint32(qint64(rate) * milliseconds / 1000);
  const quint32 dataBytes = frames * quint32(channels) * 2;
  QByteArray out("RIFF");
  Little32(out, 36 + dataBytes);
  out.append("WAVEfmt ");
  Little32(out, 16);
  Little16(out, 1);  // PCM
  Little16(out, quint32(channels));
  Little32(out, quint32(rate));
  Little32(out, quint32(rate * channels * 2));
  Little16(out, quint32(channels * 2));
  Little16(out, 16);
  out.append("data");
  Little32(out, dataBytes);
  out.reserve(out.size() + qsizetype(dataBytes));
  for (quint32 i = 0; i < frames * quint32(channels); ++i) Little16(out, quint16(level));
  return out;
}

QByteArray SoundFiles::GsmWav() {
  QByteArray out("RIFF");
  Little32(out, 4 + 28 + 12 + 8 + 650);
  out.append("WAVEfmt ");
  Little32(out, 20);
  Little16(out, 0x31);  // GSM 6.10
  Little16(out, 1);
  Little32(out, 8000);
  Little32(out, 1625);
  Little16(out, 65);
  Little16(out, 0);
  Little16(out, 2);    // extra bytes
  Little16(out, 320);  // samples per block
  out.append("fact");
  Little32(out, 4);
  Little32(out, 3200);
  out.append("data");
  Little32(out, 650);
  out.append(QByteArray(650, '\0'));
  return out;
}

QByteArray SoundFiles::SilentMp3(int frames) {
  QByteArray frame = Bytes({0xFF, 0xFB, 0x90, 0xC0});
  frame.append(QByteArray(413, '\0'));
  return frame.repeated(frames);
}

QByteArray SoundFiles::Midi(int format, quint16 division,
                            std::initializer_list<QByteArray> tracks) {
  QByteArray out("MThd");
  Big32(out, 6);
  Big16(out, quint32(format));
  Big16(out, quint32(tracks.size()));
  Big16(out, division);
  for (const QByteArray& track : tracks) out.append(track);
  return out;
}

QByteArray SoundFiles::Track(const QByteArray& events, bool endOfTrack) {
  QByteArray body = events;
  if (endOfTrack) body.append(Bytes({0x00, 0xFF, 0x2F, 0x00}));
  QByteArray out("MTrk");
  Big32(out, quint32(body.size()));
  return out + body;
}

QByteArray SoundFiles::Tempo(quint32 microsPerQuarter) {
  return Bytes({0xFF, 0x51, 0x03, int(microsPerQuarter >> 16) & 0xFF,
                int(microsPerQuarter >> 8) & 0xFF, int(microsPerQuarter) & 0xFF});
}

QByteArray SoundFiles::Number(quint32 value) {
  QByteArray out;
  out.prepend(char(value & 0x7F));
  while (value >>= 7) out.prepend(char(0x80 | (value & 0x7F)));
  return out;
}

QByteArray SoundFiles::TwoTempoSong(int format) {
  // Piano, middle C from the start to tick 192.
  const QByteArray noteOn = Bytes({0x00, 0xC0, 0x00, 0x00, 0x90, 0x3C, 0x50});
  const QByteArray noteOff = Bytes({0x80, 0x3C, 0x40});
  const QByteArray tempo = Number(96) + Tempo(1000000);
  if (format == 0) {
    return Midi(0, 96, {Track(Number(0) + Tempo(500000) + noteOn + tempo + Number(96) + noteOff)});
  }
  return Midi(1, 96,
              {Track(noteOn + Number(192) + noteOff), Track(Number(0) + Tempo(500000) + tempo)});
}

QByteArray SoundFiles::Rmid(const QByteArray& midi) {
  QByteArray info("LIST");
  Little32(info, 9);
  info.append("INFOxyzab");
  info.append('\0');  // pad to an even offset
  QByteArray data("data");
  Little32(data, quint32(midi.size()));
  data.append(midi);
  if (midi.size() & 1) data.append('\0');
  QByteArray out("RIFF");
  Little32(out, quint32(4 + info.size() + data.size()));
  return out + "RMID" + info + data;
}
