#include "MusicDevice.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <unistd.h>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "MidiLength.h"
#include "MusicError.h"
#include "RmidFile.h"
#include "picture/RegularFile.h"

namespace {

const char* const kNoSoundFont = "没有找到MIDI音色库（SoundFont）";

// Where distributions put a General MIDI SoundFont. The mixer itself looks only for
// FluidR3_GM.sf2 and, finding none, falls back to Timidity with a misleading message.
const char* const kSoundFontPaths[] = {
    "/usr/share/sounds/sf2/default-GM.sf2",  // Debian's alternative, e.g. TimGM6mb
    "/usr/share/sounds/sf3/default-GM.sf3", "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    "/usr/share/sounds/sf2/TimGM6mb.sf2",   "/usr/share/soundfonts/default.sf2",
    "/usr/share/soundfonts/FluidR3_GM.sf2",
};

qint64 NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// When the mixer last stopped its music. Set on the audio thread, which may not call back
// into the mixer, so it is only a time stamp; the window thread decides what it means.
std::atomic<qint64> g_finishedAtNs{0};

void SDLCALL OnMusicFinished() {
  g_finishedAtNs.store(NowNs());
}

[[noreturn]] void Fail(const QString& name, const QString& reason) {
  const QString text = QStringLiteral("无法播放“%1”：%2").arg(name, reason);
  throw MusicError(text.toStdString());
}

QString MixerReason() {
  const QString reason = QString::fromUtf8(Mix_GetError());
  return reason.isEmpty() ? QStringLiteral("无法识别的文件格式") : reason;
}

// The SoundFonts to give the synthesiser, existing regular files only. SDL_SOUNDFONTS
// comes first; with SDL_FORCE_SOUNDFONTS set it is the only place looked at, as in the
// mixer itself.
QStringList FindSoundFonts() {
  QStringList candidates;
  const QByteArray env = qgetenv("SDL_SOUNDFONTS");
  const bool forced =
      SDL_GetHintBoolean("SDL_FORCE_SOUNDFONTS", SDL_FALSE) == SDL_TRUE && !env.isEmpty();
  for (const QString& path :
       QString::fromLocal8Bit(env).split(QRegularExpression("[:;]"), Qt::SkipEmptyParts))
    candidates << path;
  if (!forced)
    for (const char* path : kSoundFontPaths) candidates << QString::fromUtf8(path);
  QStringList found;
  for (const QString& path : candidates) {
    if (found.contains(path)) continue;
    RegularFile font;
    if (font.Open(path)) found << path;
  }
  return found;
}

enum class Phase { Stopped, Playing, Paused, Ended };

}  // namespace

struct MusicDevice::State {
  bool outputOpen = false;
  Mix_Music* music = nullptr;
  bool midi = false;
  QByteArray midiBytes;  // the MIDI data, kept as long as the music made from it
  QString fileName;
  qint64 length = -1;  // -1: unknown
  Phase phase = Phase::Stopped;

  // The clock: milliseconds counted up to the last start or resume, plus the time since
  // then while playing. MIDI positions come from it; it also stands in wherever the
  // library gives no position.
  qint64 clockMs = 0;
  qint64 runningSinceNs = 0;
  qint64 playStartNs = 0;  // finish stamps before it belong to an earlier play
  qint64 stoppedMs = 0;    // position kept by Stop
  qint64 endedMs = 0;      // time played when the track ran out

  quint32 volume = FullVolume;

  int MixerVolume() const { return int((volume >> 8) & 0xFF) * MIX_MAX_VOLUME / 255; }

  qint64 Clock() const {
    if (phase != Phase::Playing) return clockMs;
    return clockMs + (NowNs() - runningSinceNs) / 1000000;
  }

  // A playing track the mixer no longer plays has run out by itself: our own stops and
  // pauses never leave the phase at Playing.
  void NoticeEnd() {
    if (phase != Phase::Playing || Mix_PlayingMusic()) return;
    const qint64 finished = g_finishedAtNs.load();
    const qint64 at = finished >= playStartNs ? finished : NowNs();
    endedMs = clockMs + std::max<qint64>(0, at - runningSinceNs) / 1000000;
    phase = Phase::Ended;
  }

  void Halt() {
    if (outputOpen) Mix_HaltMusic();
  }
};

MusicDevice& MusicDevice::Instance() {
  static MusicDevice device;
  return device;
}

MusicDevice::MusicDevice() : d_(std::make_unique<State>()) {}

MusicDevice::~MusicDevice() {
  CloseOutput();
}

void MusicDevice::Open(const QString& path) {
  Close();
  const QString name = QFileInfo(path).fileName();

  if (!d_->outputOpen) {
    // SDL would otherwise take over SIGINT and SIGTERM, and the program would no longer
    // end on them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) Fail(name, QString::fromUtf8(SDL_GetError()));
    Mix_Init(MIX_INIT_MP3 | MIX_INIT_MID);
    if (Mix_OpenAudioDevice(44100, AUDIO_S16SYS, 2, 2048, nullptr, 0) != 0) {
      const QString reason = MixerReason();
      Mix_Quit();
      SDL_QuitSubSystem(SDL_INIT_AUDIO);
      Fail(name, reason);
    }
    Mix_HookMusicFinished(OnMusicFinished);
    d_->outputOpen = true;
  }

  RegularFile file;
  if (!file.Open(path))
    Fail(name, file.Error() == EINVAL ? QStringLiteral("不是普通文件")
                                      : QString::fromLocal8Bit(strerror(file.Error())));
  if (file.Size() == 0) Fail(name, QStringLiteral("文件是空的"));
  const QByteArray head = file.Peek(12);
  const bool midi = head.startsWith("MThd") || RmidFile::IsRmid(head);
  SDL_ClearError();
  Mix_Music* music = nullptr;
  qint64 length = -1;
  if (midi) {
    auto bytes = file.TryReadAll(MaxMidiBytes);
    if (!bytes) Fail(name, QStringLiteral("文件太大或无法读取"));
    if (RmidFile::IsRmid(*bytes)) {
      auto inner = RmidFile::Inner(*bytes);
      if (!inner) Fail(name, QStringLiteral("RIFF MIDI文件中没有MIDI数据"));
      bytes = std::move(inner);
    }
    const QStringList fonts = FindSoundFonts();
    if (fonts.isEmpty()) Fail(name, QString::fromUtf8(kNoSoundFont));
    Mix_SetSoundFonts(fonts.join(QLatin1Char(';')).toLocal8Bit().constData());
    d_->midiBytes = *bytes;
    SDL_RWops* rw = SDL_RWFromConstMem(d_->midiBytes.constData(), int(d_->midiBytes.size()));
    if (rw) music = Mix_LoadMUSType_RW(rw, MUS_MID, 1);
    if (!music) {
      d_->midiBytes.clear();
      Fail(name, MixerReason());
    }
    if (auto ms = MidiLength::Milliseconds(d_->midiBytes)) length = *ms;
  } else {
    // Only the two decoders the player offers ever see the file: a RIFF WAVE goes to the
    // mixer's WAV reader, everything else to libmpg123, which refuses what is not MPEG
    // audio.
    const bool wave = head.size() >= 12 && head.startsWith("RIFF") && head.mid(8, 4) == "WAVE";
    const int fd = file.Release();
    FILE* stream = fdopen(fd, "rb");
    if (!stream) {
      ::close(fd);
      Fail(name, QString::fromLocal8Bit(strerror(errno)));
    }
    SDL_RWops* rw = SDL_RWFromFP(stream, SDL_TRUE);
    if (!rw) {
      std::fclose(stream);
      Fail(name, QString::fromUtf8(SDL_GetError()));
    }
    music = Mix_LoadMUSType_RW(rw, wave ? MUS_WAV : MUS_MP3, 1);
    if (!music) Fail(name, MixerReason());
    const double seconds = Mix_MusicDuration(music);
    if (seconds >= 0 && seconds * 1000 < double(MidiLength::MaxMilliseconds))
      length = qint64(seconds * 1000);
  }
  d_->music = music;
  d_->midi = midi;
  d_->fileName = path;
  d_->length = length;
  d_->phase = Phase::Stopped;
  d_->clockMs = d_->stoppedMs = d_->endedMs = 0;
}

void MusicDevice::Close() {
  if (d_->music) {
    d_->Halt();
    Mix_FreeMusic(d_->music);
  }
  d_->music = nullptr;
  d_->midiBytes.clear();
  d_->fileName.clear();
  d_->length = -1;
  d_->phase = Phase::Stopped;
}

bool MusicDevice::IsOpen() const {
  return d_->music != nullptr;
}

QString MusicDevice::FileName() const {
  return d_->fileName;
}

namespace {
void RequireOpen(bool open) {
  if (!open) throw MusicError("没有打开的音乐文件");
}
}  // namespace

void MusicDevice::Play() {
  RequireOpen(IsOpen());
  d_->NoticeEnd();
  switch (d_->phase) {
    case Phase::Playing:
      return;
    case Phase::Paused:
      PauseOrResume();
      return;
    case Phase::Stopped:
      PlayFrom(d_->stoppedMs);
      return;
    case Phase::Ended:
      PlayFrom(0);
      return;
  }
}

void MusicDevice::PlayFrom(qint64 startMs) {
  RequireOpen(IsOpen());
  startMs = d_->midi ? 0 : std::max<qint64>(0, startMs);
  if (d_->length > 0 && startMs >= d_->length) {
    d_->Halt();
    d_->clockMs = d_->endedMs = d_->length;
    d_->phase = Phase::Ended;
    return;
  }
  SDL_ClearError();
  Mix_VolumeMusic(d_->MixerVolume());
  // No fade: the first samples are heard at once.
  if (Mix_FadeInMusicPos(d_->music, 1, 0, double(startMs) / 1000.0) != 0) {
    d_->phase = Phase::Stopped;
    Fail(QFileInfo(d_->fileName).fileName(), MixerReason());
  }
  // A pause before must not carry over to the new play.
  Mix_ResumeMusic();
  Mix_VolumeMusic(d_->MixerVolume());
  d_->clockMs = startMs;
  d_->runningSinceNs = d_->playStartNs = NowNs();
  d_->phase = Phase::Playing;
}

void MusicDevice::PauseOrResume() {
  if (!IsOpen()) return;
  d_->NoticeEnd();
  if (d_->phase == Phase::Playing) {
    Mix_PauseMusic();
    d_->clockMs = d_->Clock();
    d_->phase = Phase::Paused;
  } else if (d_->phase == Phase::Paused) {
    Mix_ResumeMusic();
    d_->runningSinceNs = NowNs();
    d_->phase = Phase::Playing;
  }
}

bool MusicDevice::IsPaused() const {
  return IsOpen() && d_->phase == Phase::Paused;
}

void MusicDevice::Stop() {
  if (!IsOpen()) return;
  d_->NoticeEnd();
  if (d_->phase != Phase::Playing && d_->phase != Phase::Paused) return;
  d_->stoppedMs = Position();
  d_->Halt();
  d_->clockMs = d_->stoppedMs;
  d_->phase = Phase::Stopped;
}

qint64 MusicDevice::Length() const {
  RequireOpen(IsOpen());
  d_->NoticeEnd();
  if (d_->length >= 0) return d_->length;
  return d_->phase == Phase::Ended ? d_->endedMs : 0;
}

qint64 MusicDevice::Position() const {
  RequireOpen(IsOpen());
  d_->NoticeEnd();
  switch (d_->phase) {
    case Phase::Ended:
      return Length();
    case Phase::Stopped:
      return d_->stoppedMs;
    case Phase::Playing:
    case Phase::Paused:
      break;
  }
  qint64 position = d_->Clock();
  if (!d_->midi) {
    const double seconds = Mix_GetMusicPosition(d_->music);
    if (seconds >= 0 && seconds * 1000 < double(MidiLength::MaxMilliseconds))
      position = qint64(seconds * 1000);
  }
  if (d_->length > 0) position = std::min(position, d_->length - 1);
  return std::max<qint64>(0, position);
}

bool MusicDevice::HasEnded() const {
  if (!IsOpen()) return false;
  d_->NoticeEnd();
  return d_->phase == Phase::Ended;
}

void MusicDevice::SetVolume(quint32 value) {
  d_->volume = value;
  if (d_->outputOpen) Mix_VolumeMusic(d_->MixerVolume());
}

quint32 MusicDevice::Volume() const {
  return d_->volume;
}

void MusicDevice::CloseOutput() {
  Close();
  if (!d_->outputOpen) return;
  Mix_HookMusicFinished(nullptr);
  Mix_CloseAudio();
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  d_->outputOpen = false;
}

bool MusicDevice::IsOutputOpen() const {
  return d_->outputOpen;
}
