#pragma once
// The music player's media device: one per process, on SDL2_mixer. It plays WAV (PCM, float,
// ADPCM, A-law, µ-law), MP3 (MPEG 1, 2, 2.5, layers I-III) and MIDI (".mid" and RIFF-wrapped
// ".rmi", through FluidSynth with a General MIDI SoundFont). Window thread only.
//
// SDL's audio is started at the first Open, not at program start, so a machine without
// sound costs nothing until music is asked for. The output driver is whatever SDL picks or
// SDL_AUDIODRIVER names (tests use "dummy", recordings "disk").
//
// Times are milliseconds. The end of a track is visible in Position(): while the track
// sounds the position stays below the length (estimates of the library overshoot), and
// once the track has run out by itself (not stopped, not paused) it reads exactly the
// length.
#include <QString>
#include <QtGlobal>
#include <memory>

class MusicDevice {
 public:
  // The one device of the process.
  static MusicDevice& Instance();

  // Full volume on both channels, as the device starts.
  static constexpr quint32 FullVolume = 0xFFFFFFFFu;
  // The largest MIDI file opened; real songs are a few hundred kilobytes.
  static constexpr qint64 MaxMidiBytes = qint64(16) << 20;

  // Opens a file after closing the one open before (even when the new one fails).
  // MusicError "无法播放“<name>”：<reason>" when it cannot be played; the reason is
  // "没有找到MIDI音色库（SoundFont）" for a MIDI file when no SoundFont is installed.
  void Open(const QString& path);
  // Stops and closes the open file, if any.
  void Close();
  bool IsOpen() const;
  // The path given to the last successful Open; empty when nothing is open.
  QString FileName() const;

  // Plays from the current position: resumes a paused track, restarts a stopped one where
  // it stopped and a finished one from its start. MusicError when nothing is open.
  void Play();
  // Plays from a position, heard at once (no fade). MIDI always plays from its start (the
  // synthesiser cannot seek); a position at or past the length ends the track at once.
  // WAV lands on the whole second below the position. MusicError when nothing is open.
  void PlayFrom(qint64 startMs);
  // Pauses a playing track, resumes a paused one; nothing otherwise.
  void PauseOrResume();
  bool IsPaused() const;
  // Stops the sound and keeps the position; nothing when nothing is open.
  void Stop();

  // Length of the open track; MusicError when nothing is open. 0 while a track of unknown
  // length sounds (a MIDI file whose tempo map cannot be read); once such a track has run
  // out, length and position both read the time it played.
  qint64 Length() const;
  // Position in the open track, pause-aware; MusicError when nothing is open.
  qint64 Position() const;
  // Whether the open track has run out by itself.
  bool HasEnded() const;

  // The output volume as a 32-bit wave-out value: left channel in the low 16 bits, right
  // channel in the high 16 bits. The mixer takes the high byte b of the left channel as
  // b * 128 / 255 of its 128 steps. Kept as given, so that the player reads it back.
  void SetVolume(quint32 value);
  quint32 Volume() const;

  // Closes the file and the audio output (when the player window goes); the next Open
  // starts them again.
  void CloseOutput();
  bool IsOutputOpen() const;

  MusicDevice(const MusicDevice&) = delete;
  MusicDevice& operator=(const MusicDevice&) = delete;

 private:
  MusicDevice();
  ~MusicDevice();

  struct State;
  std::unique_ptr<State> d_;
};
