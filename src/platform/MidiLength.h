#pragma once
// The playing time of a Standard MIDI File, read from its own tempo map. The mixer's MIDI
// synthesiser reports neither length nor position, so the music player takes the length
// from here. The reader is bounded by the bytes it is given: every length, count and
// variable-length number is checked against what is left, and a file it cannot follow
// gives no length rather than a wrong one.
#include <QByteArray>
#include <QtGlobal>
#include <optional>

class MidiLength {
 public:
  // Longest time the reader reports; anything longer comes from a damaged file.
  static constexpr qint64 MaxMilliseconds = qint64(1) << 40;

  // Milliseconds from the start to the last event of any track (its end-of-track event
  // included), following tempo changes found on any track; for SMPTE time division the
  // ticks are frames and sub-frames and tempo changes do not apply. Formats 0 and 1 only
  // (format 2 holds independent sequences, whose total the synthesiser does not play as
  // written). Nothing when the bytes are not such a file.
  static std::optional<qint64> Milliseconds(const QByteArray& smf);
};
