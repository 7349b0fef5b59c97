// Length of MIDI files from their tempo map, and RIFF-wrapped MIDI: the music player's end
// of track depends on these, and both read files from anywhere.
#include <gtest/gtest.h>

#include <optional>

#include "SoundFiles.h"
#include "platform/MidiLength.h"
#include "platform/RmidFile.h"

namespace {
QByteArray Bytes(std::initializer_list<int> values) {
  QByteArray out;
  for (int v : values) out.append(char(v));
  return out;
}
using S = SoundFiles;
}  // namespace

TEST(MidiLength, TempoMapsAndDivisions) {
  const QByteArray note = Bytes({0x90, 0x3C, 0x40});
  const QByteArray longDelta = S::Number(0x0FFFFFFF);
  const struct {
    const char* what;
    QByteArray file;
    std::optional<qint64> ms;
  } cases[] = {
      {"format 0, 120 bpm then 60 bpm", S::TwoTempoSong(0), 1500},
      {"format 1, tempo changes on the second track", S::TwoTempoSong(1), 1500},
      {"no tempo event: 120 bpm", S::Midi(0, 96, {S::Track(S::Number(192) + note)}), 1000},
      {"the longest track counts",
       S::Midi(1, 96, {S::Track(S::Number(96) + note), S::Track(S::Number(480) + note)}), 2500},
      {"a tempo change after the last event changes nothing",
       S::Midi(1, 96,
               {S::Track(S::Number(96) + note), S::Track(S::Number(200) + S::Tempo(100000))}),
       1041},
      {"two changes at one tick: the later holds",
       S::Midi(0, 100,
               {S::Track(S::Number(0) + S::Tempo(250000) + S::Number(0) + S::Tempo(2000000) +
                         S::Number(100) + note)}),
       2000},
      {"running status, system exclusive and unknown meta events",
       S::Midi(
           0, 96,
           {S::Track(S::Number(0) + note + S::Number(96) + Bytes({0x3C, 0x00}) + S::Number(0) +
                     Bytes({0xF0, 0x03, 0x7E, 0x7F, 0xF7}) + S::Number(96) +
                     Bytes({0xFF, 0x01, 0x02, 'h', 'i'}) + S::Number(0) + Bytes({0xC0, 0x05}))}),
       1000},
      {"events after the end of the track are not played",
       S::Midi(
           0, 96,
           {S::Track(S::Number(96) + note + Bytes({0x00, 0xFF, 0x2F, 0x00}) + S::Number(960) + note,
                     false)}),
       500},
      {"other chunks between tracks are skipped",
       S::Midi(1, 96, {QByteArray("XFIH\0\0\0\2ab", 10), S::Track(S::Number(192) + note)})
           .replace(11, 1, "\1"),
       1000},
      {"SMPTE 25 frames of 40 ticks, tempo ignored",
       S::Midi(0, quint16(0xE728),
               {S::Track(S::Number(0) + S::Tempo(100000) + S::Number(1500) + note)}),
       1500},
      {"SMPTE 29.97 frames of 100 ticks",
       S::Midi(0, quint16(0xE364), {S::Track(S::Number(3000) + note)}), 1001},
      {"format 2", S::Midi(2, 96, {S::Track(S::Number(96) + note)}), std::nullopt},
      {"division 0", S::Midi(0, 0, {S::Track(S::Number(96) + note)}), std::nullopt},
      {"SMPTE rate 23", S::Midi(0, quint16(0xE904), {S::Track(S::Number(96) + note)}),
       std::nullopt},
      {"a track longer than the file", S::TwoTempoSong(0).chopped(3), std::nullopt},
      {"fewer tracks than the header counts",
       S::Midi(1, 96, {S::Track(S::Number(96) + note)}).replace(11, 1, "\3"), std::nullopt},
      {"a data byte without a status",
       S::Midi(0, 96, {S::Track(S::Number(96) + Bytes({0x3C, 0x40}))}), std::nullopt},
      {"running status does not outlive a meta event",
       S::Midi(0, 96,
               {S::Track(S::Number(0) + note + S::Number(0) + S::Tempo(500000) + S::Number(96) +
                         Bytes({0x3C, 0x00}))}),
       std::nullopt},
      {"a five-byte number",
       S::Midi(0, 96, {S::Track(Bytes({0x81, 0x80, 0x80, 0x80, 0x00}) + note)}), std::nullopt},
      {"a meta event longer than its track",
       S::Midi(0, 96, {S::Track(Bytes({0x00, 0xFF, 0x01, 0x7F, 'x'}), false)}), std::nullopt},
      {"a note cut short", S::Midi(0, 96, {S::Track(Bytes({0x00, 0x90, 0x3C}), false)}),
       std::nullopt},
      {"a system common message", S::Midi(0, 96, {S::Track(Bytes({0x00, 0xF2, 0x00, 0x00}))}),
       std::nullopt},
      {"absurd length: 2^28 ticks of 16.7 s at division 1",
       S::Midi(0, 1, {S::Track(S::Number(0) + S::Tempo(0xFFFFFF) + longDelta + note)}),
       std::nullopt},
      {"not a MIDI file", QByteArray("RIFF\0\0\0\0WAVE", 12), std::nullopt},
      {"empty", QByteArray(), std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(MidiLength::Milliseconds(c.file), c.ms);
  }
}

TEST(RmidFile, InnerMidiData) {
  const QByteArray midi = S::TwoTempoSong(1);
  const QByteArray rmid = S::Rmid(midi);
  EXPECT_TRUE(RmidFile::IsRmid(rmid));
  EXPECT_FALSE(RmidFile::IsRmid(midi));
  EXPECT_EQ(RmidFile::Inner(rmid), midi);
  // An odd-sized MIDI file ends with a pad byte that is not part of it.
  const QByteArray odd = midi.size() % 2 ? midi : midi + QByteArray(1, '\0');
  EXPECT_EQ(RmidFile::Inner(S::Rmid(odd)), odd);

  const struct {
    const char* what;
    QByteArray file;
  } broken[] = {
      {"cut short inside the data chunk", rmid.chopped(5)},
      {"a data chunk without MIDI", S::Rmid(QByteArray("RIFF1234WAVE"))},
      {"no data chunk", rmid.left(12 + 18)},
      {"a chunk size beyond the file",
       rmid.left(16) + QByteArray("\xFF\xFF\xFF\x7F", 4) + rmid.mid(20)},
  };
  for (const auto& c : broken) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(RmidFile::Inner(c.file), std::nullopt);
  }
}
