#pragma once
// RIFF-wrapped MIDI files (".rmi"): a Standard MIDI File inside the "data" chunk of a RIFF
// "RMID" form. The mixer opens such a file and then plays nothing, so the music device
// hands it the inner MIDI data instead.
#include <QByteArray>
#include <optional>

class RmidFile {
 public:
  // Whether the bytes begin as a RIFF "RMID" form.
  static bool IsRmid(const QByteArray& bytes);

  // The bytes of the first "data" chunk that holds a MIDI file ("MThd"); nothing when the
  // form is damaged or holds none. Chunk sizes are checked against the bytes given.
  static std::optional<QByteArray> Inner(const QByteArray& bytes);
};
