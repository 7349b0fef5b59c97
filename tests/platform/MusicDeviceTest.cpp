// The music player's device on SDL2_mixer, driven for real with SDL's dummy audio driver
// (which plays in real time) on short tracks made by the tests. The recording test runs
// only under the disk driver, from its own ctest entry.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <optional>
#include <thread>

#include "SoundFiles.h"
#include "TestFiles.h"
#include "platform/MusicDevice.h"
#include "platform/MusicError.h"

namespace {

// Tests never use the desktop's sound: the dummy driver unless a test run asks for another.
const bool kDriverChosen = [] {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  return true;
}();

MusicDevice& Device() {
  return MusicDevice::Instance();
}

void Sleep(int ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// Waits for a condition while the audio thread plays. The limit only keeps a broken
// device from hanging the test run; nothing is measured.
bool WaitFor(const std::function<bool()>& condition, int limitMs = 20000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    Sleep(5);
  }
  return true;
}

QString ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const MusicError& e) {
    return QString::fromUtf8(e.what());
  }
  return {};
}

quint32 VolumeValue(int v) {
  return quint32(v * 256) | (quint32(v * 256) << 16);
}

// Plays the open track from its start to its end, checking on the way what the player's
// tick relies on: the position never reads the length while the track sounds, and reads
// exactly the length once it has run out.
void PlayToTheEnd() {
  const qint64 length = Device().Length();
  Device().PlayFrom(0);
  qint64 last = 0, highest = 0;
  bool sawMiddle = false;
  ASSERT_TRUE(WaitFor([&] {
    if (Device().HasEnded()) return true;
    last = Device().Position();
    EXPECT_LT(last, length);
    highest = std::max(highest, last);
    sawMiddle = sawMiddle || (last > 0 && last < length);
    return false;
  }));
  EXPECT_TRUE(sawMiddle) << "the position never moved; highest " << highest;
  EXPECT_EQ(Device().Position(), length);
  EXPECT_EQ(Device().Length(), length);
  EXPECT_FALSE(Device().IsPaused());
}

class MusicDeviceTest : public ::testing::Test {
 protected:
  void TearDown() override {
    Device().Close();
    Device().SetVolume(MusicDevice::FullVolume);
  }
  TestFiles files_;
};

}  // namespace

TEST_F(MusicDeviceTest, StartsAtFullVolumeAndKeepsTheValueGiven) {
  EXPECT_EQ(Device().Volume(), MusicDevice::FullVolume);
  Device().SetVolume(VolumeValue(128));
  EXPECT_EQ(Device().Volume(), 0x80008000u);
  Device().SetVolume(0x1234ABCDu);
  EXPECT_EQ(Device().Volume(), 0x1234ABCDu);
}

TEST_F(MusicDeviceTest, Mp3AndWavPlayToTheirEnd) {
  const int frames = 24;
  const struct {
    const char* name;
    QByteArray bytes;
    qint64 length;
  } cases[] = {
      {"silence.mp3", SoundFiles::SilentMp3(frames),
       qint64(frames) * SoundFiles::Mp3FrameSamples * 1000 / 44100},
      {"level.wav", SoundFiles::Wav(600, 1000), 600},
      {"mono 22 kHz.wav", SoundFiles::Wav(400, -700, 22050, 1), 400},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const QString path = files_.WriteBytes(QString::fromUtf8(c.name), c.bytes);
    Device().Open(path);
    EXPECT_TRUE(Device().IsOpen());
    EXPECT_EQ(Device().FileName(), path);
    EXPECT_EQ(Device().Length(), c.length);
    EXPECT_EQ(Device().Position(), 0);
    PlayToTheEnd();
    // Reading again changes nothing: the tick may read it any number of times.
    EXPECT_EQ(Device().Position(), c.length);
    EXPECT_TRUE(Device().HasEnded());
  }
}

TEST_F(MusicDeviceTest, SeeksStopsAndPlaysOn) {
  const int frames = 80;  // 2 090 ms
  const struct {
    const char* name;
    QByteArray bytes;
    qint64 lowest;  // where a play from 1 000 ms may land
  } cases[] = {
      {"seek.mp3", SoundFiles::SilentMp3(frames), 1000 - 27},
      // Playing a WAV from a position lands on the whole second below it.
      {"seek.wav", SoundFiles::Wav(2100, 300), 1000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Device().Open(files_.WriteBytes(QString::fromUtf8(c.name), c.bytes));
    const qint64 length = Device().Length();
    Device().PlayFrom(1500);
    const qint64 start = Device().Position();
    EXPECT_GE(start, c.lowest);
    EXPECT_LT(start, length);
    Device().Stop();
    const qint64 stopped = Device().Position();
    EXPECT_GE(stopped, start);
    Sleep(100);
    EXPECT_EQ(Device().Position(), stopped);
    EXPECT_FALSE(Device().HasEnded());
    // Play without a start position goes on from where it stopped.
    Device().Play();
    EXPECT_GE(Device().Position(), stopped - 1000);  // the WAV rule again
    ASSERT_TRUE(WaitFor([&] { return Device().HasEnded(); }));
    EXPECT_EQ(Device().Position(), length);
    // A start at the end ends the track at once.
    Device().PlayFrom(length);
    EXPECT_TRUE(Device().HasEnded());
    EXPECT_EQ(Device().Position(), length);
    // A finished track plays again from its start.
    Device().Play();
    EXPECT_FALSE(Device().HasEnded());
    EXPECT_LT(Device().Position(), 1000);
  }
}

TEST_F(MusicDeviceTest, PauseHoldsThePosition) {
  const struct {
    const char* name;
    QByteArray bytes;
  } cases[] = {
      {"pause.wav", SoundFiles::Wav(3000, 200)},
      {"pause.mid", SoundFiles::TwoTempoSong(1)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Device().Open(files_.WriteBytes(QString::fromUtf8(c.name), c.bytes));
    Device().PlayFrom(0);
    ASSERT_TRUE(WaitFor([] { return Device().Position() >= 200; }));
    Device().PauseOrResume();
    EXPECT_TRUE(Device().IsPaused());
    const qint64 held = Device().Position();
    Sleep(300);
    EXPECT_EQ(Device().Position(), held);
    EXPECT_FALSE(Device().HasEnded());
    Device().PauseOrResume();
    EXPECT_FALSE(Device().IsPaused());
    ASSERT_TRUE(WaitFor([&] { return Device().Position() > held; }));
    // A pause before a new play does not carry over.
    Device().PauseOrResume();
    Device().PlayFrom(0);
    EXPECT_FALSE(Device().IsPaused());
    ASSERT_TRUE(WaitFor([] { return Device().Position() >= 100; }));
  }
}

TEST_F(MusicDeviceTest, MidiLengthPositionAndSeek) {
  const struct {
    const char* name;
    QByteArray bytes;
  } cases[] = {
      {"song.mid", SoundFiles::TwoTempoSong(1)},
      // Wrapped in RIFF the mixer would open it and stop at once.
      {"song.rmi", SoundFiles::Rmid(SoundFiles::TwoTempoSong(0))},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Device().Open(files_.WriteBytes(QString::fromUtf8(c.name), c.bytes));
    EXPECT_EQ(Device().Length(), SoundFiles::TwoTempoSongMs);
    Device().PlayFrom(0);
    ASSERT_TRUE(WaitFor([] { return Device().Position() >= 700; }));
    EXPECT_FALSE(Device().HasEnded());
    // The synthesiser cannot seek: a play from a position starts the song again.
    Device().PlayFrom(1000);
    EXPECT_LT(Device().Position(), 500);
    PlayToTheEnd();
  }
}

TEST_F(MusicDeviceTest, MidiOfUnknownLengthEndsWithTheTimePlayed) {
  // Format 2 (independent sequences): the synthesiser plays it, the tempo map reader
  // gives no length for it.
  const QByteArray song = SoundFiles::Midi(
      2, 96, {SoundFiles::Track(QByteArray("\x00\x90\x3C\x50\x60\x80\x3C\x40", 8))});
  Device().Open(files_.WriteBytes("independent.mid", song));
  EXPECT_EQ(Device().Length(), 0);
  Device().PlayFrom(0);
  ASSERT_TRUE(WaitFor([] { return Device().Position() >= 100; }));
  EXPECT_EQ(Device().Length(), 0);
  ASSERT_TRUE(WaitFor([] { return Device().HasEnded(); }));
  const qint64 played = Device().Length();
  EXPECT_GE(played, 500);
  EXPECT_EQ(Device().Position(), played);
}

TEST_F(MusicDeviceTest, RefusedFilesSayWhy) {
  const QString good = files_.WriteBytes("good.wav", SoundFiles::Wav(2000, 100));
  const QString fifo = files_.Path("pipe.mp3");
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  const struct {
    const char* name;
    std::optional<QByteArray> bytes;  // nothing: the test does not write the file
    const char* reason;               // nullptr: the library's own reason, whatever it says
  } cases[] = {
      {"text.mp3", QByteArray("This is not music at all, only words.\n").repeated(40), nullptr},
      {"empty.wav", QByteArray(), "文件是空的"},
      {"gsm.wav", SoundFiles::GsmWav(), "Unknown WAVE data format"},
      {"empty.rmi", SoundFiles::Rmid(QByteArray("RIFF1234WAVE")), "RIFF MIDI文件中没有MIDI数据"},
      {"pipe.mp3", std::nullopt, "不是普通文件"},
      {"missing.mp3", std::nullopt, nullptr},
      {"", std::nullopt, "不是普通文件"},  // the folder itself
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const QString name = QString::fromUtf8(c.name);
    QString path = name.isEmpty() ? files_.Folder() : files_.Path(name);
    if (c.bytes) path = files_.WriteBytes(name, *c.bytes);
    Device().Open(good);
    Device().PlayFrom(0);
    const QString error = ErrorOf([&] { Device().Open(path); });
    const QString prefix = QStringLiteral("无法播放“%1”：").arg(QFileInfo(path).fileName());
    ASSERT_TRUE(error.startsWith(prefix)) << error.toStdString();
    const QString reason = error.mid(prefix.size());
    if (c.reason)
      EXPECT_EQ(reason, QString::fromUtf8(c.reason));
    else
      EXPECT_FALSE(reason.isEmpty());
    // The track open before is closed, and nothing is open now.
    EXPECT_FALSE(Device().IsOpen());
    EXPECT_TRUE(Device().FileName().isEmpty());
  }
  // The device stays usable.
  Device().Open(good);
  Device().PlayFrom(0);
  EXPECT_TRUE(WaitFor([] { return Device().Position() > 0; }));
}

TEST_F(MusicDeviceTest, MidiWithoutSoundFontSaysSo) {
  const QString song = files_.WriteBytes("song.mid", SoundFiles::TwoTempoSong(0));
  const QByteArray nowhere = QFile::encodeName(files_.Path("no such folder/font.sf2"));
  setenv("SDL_SOUNDFONTS", nowhere.constData(), 1);
  setenv("SDL_FORCE_SOUNDFONTS", "1", 1);
  const QString error = ErrorOf([&] { Device().Open(song); });
  unsetenv("SDL_SOUNDFONTS");
  unsetenv("SDL_FORCE_SOUNDFONTS");
  EXPECT_EQ(error, QStringLiteral("无法播放“song.mid”：没有找到MIDI音色库（SoundFont）"));
  EXPECT_FALSE(Device().IsOpen());
  // With the installed SoundFont found again, the same file plays.
  Device().Open(song);
  EXPECT_EQ(Device().Length(), SoundFiles::TwoTempoSongMs);
}

TEST_F(MusicDeviceTest, NothingOpen) {
  const QString notOpen = QStringLiteral("没有打开的音乐文件");
  EXPECT_EQ(ErrorOf([] { Device().Length(); }), notOpen);
  EXPECT_EQ(ErrorOf([] { Device().Position(); }), notOpen);
  EXPECT_EQ(ErrorOf([] { Device().Play(); }), notOpen);
  EXPECT_EQ(ErrorOf([] { Device().PlayFrom(1000); }), notOpen);
  EXPECT_EQ(ErrorOf([] { Device().Stop(); }), QString());
  EXPECT_EQ(ErrorOf([] { Device().PauseOrResume(); }), QString());
  EXPECT_FALSE(Device().IsPaused());
  EXPECT_FALSE(Device().HasEnded());
}

TEST_F(MusicDeviceTest, AudioStartsAtTheFirstOpenAndLeavesSignalsAlone) {
  Device().CloseOutput();
  EXPECT_FALSE(Device().IsOutputOpen());
  struct sigaction before[2]{}, after[2]{};
  const int kinds[2] = {SIGINT, SIGTERM};
  for (int i = 0; i < 2; ++i) sigaction(kinds[i], nullptr, &before[i]);
  Device().Open(files_.WriteBytes("a.wav", SoundFiles::Wav(300, 100)));
  EXPECT_TRUE(Device().IsOutputOpen());
  for (int i = 0; i < 2; ++i) {
    sigaction(kinds[i], nullptr, &after[i]);
    EXPECT_EQ(after[i].sa_handler, before[i].sa_handler) << "signal " << kinds[i];
  }
  // Closing the output closes the track too; the next open starts the output again.
  Device().CloseOutput();
  EXPECT_FALSE(Device().IsOpen());
  EXPECT_FALSE(Device().IsOutputOpen());
  Device().Open(files_.WriteBytes("b.wav", SoundFiles::Wav(300, 100)));
  PlayToTheEnd();
}

// Runs from its own ctest entry with SDL_AUDIODRIVER=disk: the recording shows what the
// mixer made of the volume. A WAV at level 1000 comes out at 500 for v = 128 (the mixer's
// 64 of 128) and as silence for v = 0.
TEST(MusicDeviceRecording, VolumeScalesTheOutput) {
  if (qgetenv("SDL_AUDIODRIVER") != "disk") GTEST_SKIP() << "needs SDL_AUDIODRIVER=disk";
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString recording = folder.filePath("recording.raw");
  setenv("SDL_DISKAUDIOFILE", QFile::encodeName(recording).constData(), 1);
  const QString song = folder.filePath("level 1000.wav");
  {
    QFile out(song);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(SoundFiles::Wav(500, 1000));
  }
  const qint64 trackSamples = 44100 / 2 * 2;  // 500 ms of stereo
  const struct {
    int v;
    qint16 heard;
  } cases[] = {{128, 500}, {0, 0}, {255, 1000}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.v);
    Device().CloseOutput();  // a fresh recording for each volume
    Device().SetVolume(VolumeValue(c.v));
    Device().Open(song);
    Device().PlayFrom(0);
    ASSERT_TRUE(WaitFor([] { return Device().HasEnded(); }));
    Device().CloseOutput();
    QFile in(recording);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QByteArray bytes = in.readAll();
    const auto* samples = reinterpret_cast<const qint16*>(bytes.constData());
    const qint64 count = bytes.size() / 2;
    ASSERT_GE(count, trackSamples);
    qint64 heard = 0, other = 0;
    for (qint64 i = 0; i < count; ++i) {
      if (samples[i] == c.heard)
        ++heard;
      else if (samples[i] != 0)
        ++other;
    }
    EXPECT_EQ(other, 0);
    if (c.heard != 0) {
      EXPECT_EQ(heard, trackSamples);
    }
  }
  Device().SetVolume(MusicDevice::FullVolume);
}
