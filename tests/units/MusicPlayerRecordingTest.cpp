// The music player as heard: SDL's disk driver records what the player sends out, and the
// recording shows the volume the thumb sets, the order in which tracks follow each other
// and where a seek lands. Runs from its own ctest entry with SDL_AUDIODRIVER=disk.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <thread>

#include "RecordingDialogs.h"
#include "TestFiles.h"
#include "music/MusicPlayerForm.h"
#include "platform/MusicDevice.h"
#include "platform/SoundFiles.h"

namespace {

bool WaitFor(const std::function<bool()>& condition, int limitMs = 20000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    QApplication::processEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

// 16-bit stereo WAV at 44.1 kHz whose first half is at one level and second half at another.
QByteArray TwoLevels(int ms, qint16 first, qint16 second) {
  QByteArray wav = SoundFiles::Wav(ms, first);
  const qsizetype data = 44, samples = (wav.size() - data) / 2;
  auto* out = reinterpret_cast<qint16*>(wav.data() + data);
  for (qsizetype i = samples / 2; i < samples; ++i) out[i] = second;
  return wav;
}

// One player window recorded into its own file: the output opens at the first track and
// closes (writing the file out) when the window goes.
class Recording {
 public:
  Recording() {
    path_ = files_.Path("recording.raw");
    setenv("SDL_DISKAUDIOFILE", QFile::encodeName(path_).constData(), 1);
    MusicDevice::Instance().CloseOutput();
    form_ = std::make_unique<TMusicPlayerForm>(nullptr);
  }

  TMusicPlayerForm& Form() { return *form_; }
  TestFiles& Files() { return files_; }
  RecordingDialogs dialogs;

  void Open(const QStringList& paths) {
    Dialogs::FileResult answer;
    answer.accepted = true;
    answer.paths = paths;
    dialogs.fileAnswers.push_back(answer);
    form_->sbtnOpenClick();
  }

  // Closes the window and reads what was played, sample by sample.
  std::vector<qint16> Finish() {
    form_.reset();
    QFile in(path_);
    std::vector<qint16> samples;
    if (!in.open(QIODevice::ReadOnly)) return samples;
    const QByteArray bytes = in.readAll();
    samples.resize(size_t(bytes.size() / 2));
    memcpy(samples.data(), bytes.constData(), samples.size() * 2);
    return samples;
  }

 private:
  TestFiles files_;
  QString path_;
  std::unique_ptr<TMusicPlayerForm> form_;
};

std::map<qint16, qint64> Levels(const std::vector<qint16>& samples) {
  std::map<qint16, qint64> count;
  for (qint16 s : samples) ++count[s];
  return count;
}

}  // namespace

TEST(MusicPlayerRecording, VolumeOrderAndSeek) {
  if (qgetenv("SDL_AUDIODRIVER") != "disk") GTEST_SKIP() << "needs SDL_AUDIODRIVER=disk";
  const qint64 trackSamples = 44100 / 2 * 2;  // 500 ms of stereo

  // The volume thumb: a press at Y 42 gives v = 128, the thumb at the bottom silence.
  const struct {
    int y;
    qint16 heard;
  } volumes[] = {{42, 500}, {81, 0}, {14, 1000}};
  for (const auto& v : volumes) {
    SCOPED_TRACE(v.y);
    Recording r;
    r.Form().Image1MouseDown(Qt::RightButton, 250, v.y);
    r.Open({r.Files().WriteBytes("level 1000.wav", SoundFiles::Wav(500, 1000))});
    r.Form().MusicListView->SelectAndFocus(0);
    r.Form().sbtnPlayClick();
    ASSERT_TRUE(WaitFor([] { return MusicDevice::Instance().HasEnded(); }));
    const auto levels = Levels(r.Finish());
    EXPECT_EQ(levels.size(), v.heard ? 2u : 1u);
    if (v.heard) {
      EXPECT_EQ(levels.count(v.heard) ? levels.at(v.heard) : 0, trackSamples);
    }
  }

  // Order: "全部循环" plays the entries one after the other, and then the first again.
  {
    Recording r;
    r.Open({r.Files().WriteBytes("first.wav", SoundFiles::Wav(300, 300)),
            r.Files().WriteBytes("second.wav", SoundFiles::Wav(300, 600))});
    r.Form().MusicListView->SelectAndFocus(0);
    r.Form().sbtnPlayClick();
    ASSERT_TRUE(WaitFor([&] { return r.Form().Player->CurTrack == 1; }));
    ASSERT_TRUE(WaitFor([&] { return r.Form().Player->CurTrack == 0; }));
    r.Form().sbtnStopClick();
    std::vector<qint16> heard;  // the levels in the order they were heard
    for (qint16 s : r.Finish())
      if (s != 0 && (heard.empty() || heard.back() != s)) heard.push_back(s);
    ASSERT_GE(heard.size(), 2u);
    EXPECT_EQ(heard[0], 300);
    EXPECT_EQ(heard[1], 600);
    if (heard.size() > 2) {
      EXPECT_EQ(heard[2], 300);
    }
  }

  // Seek: a click at the middle of the track plays its second half.
  {
    Recording r;
    r.Open({r.Files().WriteBytes("halves.wav", TwoLevels(2000, 1000, 2000))});
    r.Form().MusicListView->SelectAndFocus(0);
    r.Form().sbtnPlayClick();
    r.Form().Image1MouseDown(Qt::RightButton, 126, 100);
    ASSERT_TRUE(WaitFor([] { return MusicDevice::Instance().HasEnded(); }));
    const auto levels = Levels(r.Finish());
    EXPECT_EQ(levels.count(2000) ? levels.at(2000) : 0, 44100 * 2);
    // At most the few buffers mixed before the click come from the first half.
    EXPECT_LT(levels.count(1000) ? levels.at(1000) : 0, 44100 / 2);
  }
}
