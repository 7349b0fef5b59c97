#pragma once
// Short sound files made by the tests themselves: PCM WAV at one constant level (so that
// tracks and volumes can be told apart in a recording), silent MP3 frames, and MIDI files
// written byte by byte.
#include <QByteArray>
#include <QtGlobal>
#include <initializer_list>

class SoundFiles {
 public:
  // 16-bit PCM WAV of the given length whose every sample is level.
  static QByteArray Wav(int milliseconds, qint16 level, int rate = 44100, int channels = 2);
  // A WAV header declaring GSM 6.10 data, which the mixer does not decode.
  static QByteArray GsmWav();

  // MPEG-1 Layer III frames of silence at 128 kbit/s, 44.1 kHz, mono: the header
  // FF FB 90 C0 and 413 zero bytes, 1152 samples (26.1 ms) each.
  static QByteArray SilentMp3(int frames);
  static constexpr int Mp3FrameSamples = 1152;

  // A Standard MIDI File with the given header values and track chunks.
  static QByteArray Midi(int format, quint16 division, std::initializer_list<QByteArray> tracks);
  // A track chunk around the given events (delta times included); the end-of-track
  // event is appended when endOfTrack is set.
  static QByteArray Track(const QByteArray& events, bool endOfTrack = true);
  // The tempo meta event (delta time 0 not included).
  static QByteArray Tempo(quint32 microsPerQuarter);
  // A variable-length number.
  static QByteArray Number(quint32 value);

  // The song of the tests: 96 ticks at 120 bpm, then tempo 60 bpm and 96 ticks more with a
  // note sounding throughout, division 96: 1 500 ms. Format 1 puts the tempo change on
  // the second track.
  static QByteArray TwoTempoSong(int format);
  static constexpr qint64 TwoTempoSongMs = 1500;

  // A RIFF "RMID" form around MIDI data, with an INFO list of odd length before it.
  static QByteArray Rmid(const QByteArray& midi);
};
