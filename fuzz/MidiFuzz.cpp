// MIDI files as the music device opens them: the first bytes tell a Standard MIDI File or
// a RIFF "RMID" form, the whole file is read within the device's limit, the MIDI data is
// taken out of the RIFF form, and its playing time is read from its tempo map.
#include <cstdlib>

#include "FuzzTarget.h"
#include "picture/PictureError.h"
#include "picture/RegularFile.h"
#include "platform/MidiLength.h"
#include "platform/MusicDevice.h"
#include "platform/RmidFile.h"
#include "platform/SoundFiles.h"  // tests/

Fuzz::Seeds Fuzz::MakeSeeds() {
  using S = SoundFiles;
  // Running status, a system-exclusive event, a text event and a chunk of a foreign kind.
  const QByteArray busy =
      S::Number(0) + QByteArray::fromHex("903c40") + S::Number(10) + QByteArray::fromHex("3e40") +
      S::Number(5) + QByteArray::fromHex("f003431210") + S::Number(0) +
      QByteArray::fromHex("ff0104") + "text" + S::Number(200) + QByteArray::fromHex("803c00");
  QByteArray foreign = S::Midi(1, 480, {S::Track(busy), S::Track(S::Number(0) + S::Tempo(250000))});
  foreign.insert(14, QByteArray("XFIH\0\0\0\2ab", 10));
  return {
      {"format0.mid", S::TwoTempoSong(0)},
      {"format1.mid", S::TwoTempoSong(1)},
      {"song.rmi", S::Rmid(S::TwoTempoSong(1))},
      // 25 frames a second, 40 sub-frames each.
      {"smpte.mid", S::Midi(0, 0xE728, {S::Track(busy)})},
      {"foreign.mid", foreign},
      {"unterminated.mid", S::Midi(0, 96, {S::Track(busy, false)})},
  };
}

void Fuzz::Run(const QByteArray& data) {
  const QString path = WriteInput(data, QStringLiteral("mid"));
  RegularFile file;
  if (!file.Open(path) || file.Size() == 0) return;
  try {
    const QByteArray head = file.Peek(12);
    if (!head.startsWith("MThd") && !RmidFile::IsRmid(head)) return;
    std::optional<QByteArray> bytes = file.TryReadAll(MusicDevice::MaxMidiBytes);
    if (!bytes) return;
    if (RmidFile::IsRmid(*bytes)) {
      std::optional<QByteArray> inner = RmidFile::Inner(*bytes);
      if (!inner) return;
      // The MIDI data is a part of the form, after its header and the chunk's own.
      if (!inner->startsWith("MThd") || inner->size() > bytes->size() - 20) std::abort();
      bytes = std::move(inner);
    }
    const std::optional<qint64> ms = MidiLength::Milliseconds(*bytes);
    if (ms && (*ms < 0 || *ms > MidiLength::MaxMilliseconds)) std::abort();
  } catch (const PictureError&) {
  }
}
