// The changing desktop: the dialog and its owner against a real HTTP server inside the
// test (PictureServer), with HOME in the test's folder and the wallpaper recorded.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <functional>
#include <memory>
#include <vector>

#include "PictureServer.h"
#include "TestFiles.h"
#include "controls/TListView.h"
#include "core/ViewerState.h"
#include "desktop/DeskPicForm.h"
#include "desktop/DownDeskPicThread.h"
#include "picture/ImageFiles.h"
#include "picture/JpegCodec.h"
#include "platform/Wallpaper.h"
#include "units/RecordingDialogs.h"

namespace {

const QString kNoPictures = QStringLiteral("当前列表中没有图片");
const QString kNoServer = QStringLiteral("尝试连接服务器失败，请重试");

// Runs the event loop until done() holds, at most boundMs; whether it came to hold.
bool WaitFor(const std::function<bool()>& done, int boundMs = 20000) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > boundMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

QByteArray ReadBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString ServerPath(int i) {
  return QStringLiteral("/DeskPic/DeskPic%1.jpg").arg(i, 2, 10, QLatin1Char('0'));
}

// A small JPEG whose colours tell picture i from the others.
QByteArray NumberedJpeg(int i) {
  QImage image(24 + i, 16, QImage::Format_RGB32);
  image.fill(qRgb(10 * i, 255 - 10 * i, (37 * i) % 256));
  return JpegCodec::Encode(image, 95);
}

}  // namespace

class DeskPicTest : public ::testing::Test {
 protected:
  // One wallpaper change: the path asked for and the pixels the bitmap held then.
  struct Change {
    QString path;
    QImage pixels;
  };

  void SetUp() override {
    oldHome_ = qgetenv("HOME");
    home_ = files_.Path(QStringLiteral("home"));
    QDir().mkpath(home_);
    qputenv("HOME", QFile::encodeName(home_));
    pictures_ = files_.Path(QStringLiteral("pictures"));
    QDir().mkpath(pictures_);
    state_.SetFolder(pictures_);
    Wallpaper::Replace([this](const QString& path, Wallpaper::Done done) {
      changes_.push_back({path, ImageFiles::ReadBmp(path)});
      if (done) done(Wallpaper::Way::X11);
    });
    form_ = std::make_unique<TDeskPicForm>(nullptr, state_, list_);
    changer_ = form_->Changer.get();
    changer_->Limits.maxBodyBytes = 256 << 10;
    changer_->Limits.idleMs = 1500;
    changer_->Limits.totalMs = 8000;
    changer_->Limits.connectionTestMs = 4000;
  }

  void TearDown() override {
    form_.reset();
    Wallpaper::Replace({});
    qputenv("HOME", oldHome_);
  }

  QString Folder() const { return home_ + QStringLiteral("/DeskPicture"); }
  QString Downloaded(int i) const { return Folder() + QStringLiteral("/DeskPicture%1.jpg").arg(i); }

  // The list source with these entries in the picture folder.
  void UseList(const QStringList& names) {
    for (const QString& name : names) list_.Add(name);
    form_->frbList->SetChecked(true);
  }
  QString WriteJpeg(const QString& name, int seed) {
    return files_.WriteBytes(QStringLiteral("pictures/") + name, NumberedJpeg(seed));
  }
  QString Picture(const QString& name) const { return pictures_ + QLatin1Char('/') + name; }

  void UseServer(PictureServer& server) { changer_->ServerAddress = server.Address(); }
  void ServeAll(PictureServer& server) {
    for (int i = 1; i <= 20; ++i)
      server.Set(ServerPath(i), {PictureServer::Kind::Body, NumberedJpeg(i)});
  }
  void Press() { form_->fbtnDeskStartClick(); }
  bool PassEnds() {
    return WaitFor([this] { return !changer_->PassAlive(); });
  }

  void ExpectRunning(bool running) {
    EXPECT_EQ(form_->fbtnDeskStart->Caption(),
              running ? QStringLiteral("停止") : QStringLiteral("开始"));
    EXPECT_EQ(form_->frbNet->Enabled(), !running);
    EXPECT_EQ(form_->frbList->Enabled(), !running);
  }

  TestFiles files_;
  QByteArray oldHome_;
  QString home_, pictures_;
  ViewerState state_;
  TListView list_{nullptr, TListView::ViewStyle::Report};
  RecordingDialogs dialogs_;
  std::vector<Change> changes_;
  std::unique_ptr<TDeskPicForm> form_;
  DeskPicChanger* changer_ = nullptr;
};

TEST_F(DeskPicTest, DialogAtCreation) {
  EXPECT_EQ(form_->Caption(), QStringLiteral("百变桌面 1.0"));
  EXPECT_EQ(form_->FlatGroupBox1->Caption(), QStringLiteral("图片来源"));
  EXPECT_TRUE(form_->frbNet->Checked());
  EXPECT_FALSE(form_->frbList->Checked());
  EXPECT_EQ(form_->fedtTime->Value(), 30);
  EXPECT_EQ(form_->fedtTime->MinValue(), 10);
  EXPECT_EQ(form_->fedtTime->MaxValue(), 600);
  ExpectRunning(false);
  EXPECT_FALSE(form_->DeskPicTimer->Enabled());
  EXPECT_EQ(form_->DeskPicTimer->Interval(), 10000);
  EXPECT_FALSE(form_->DownDeskPicTimer->Enabled());
  EXPECT_EQ(form_->DownDeskPicTimer->Interval(), 3600000);
  EXPECT_EQ(changer_->DriveLetter, home_);
  EXPECT_TRUE(changer_->DownloadIdle);
  EXPECT_EQ(changer_->NetPicNo, 0);
  EXPECT_EQ(changer_->ListPos, 0);
  // Each change of the field sets the change timer's interval at once.
  form_->fedtTime->SetValue(45);
  EXPECT_EQ(form_->DeskPicTimer->Interval(), 45000);
}

TEST_F(DeskPicTest, ListSourceTakesTheUsableEntriesInTurn) {
  files_.WriteBytes(QStringLiteral("pictures/a.gif"), "GIF89a");
  WriteJpeg(QStringLiteral("b.jpg"), 2);
  const QString c = files_.WriteBmp(QStringLiteral("pictures/c.bmp"), TestFiles::Pattern(9, 7));
  files_.WriteBytes(QStringLiteral("pictures/d.ico"), "\0\0\1\0");
  WriteJpeg(QStringLiteral("e.jpg"), 5);
  UseList({"a.gif", "b.jpg", "c.bmp", "d.ico", "e.jpg"});
  form_->show();

  Press();
  const QString bmp = Folder() + QStringLiteral("/DeskPicture.bmp");
  ASSERT_EQ(changes_.size(), 1u);
  EXPECT_EQ(changes_[0].path, bmp);
  EXPECT_EQ(changes_[0].pixels, JpegCodec::Decode(Picture("b.jpg")));
  EXPECT_TRUE(form_->DeskPicTimer->Enabled());
  EXPECT_EQ(form_->DeskPicTimer->Interval(), 30000);
  EXPECT_FALSE(form_->DownDeskPicTimer->Enabled());
  EXPECT_FALSE(form_->isVisible());
  ExpectRunning(true);
  EXPECT_TRUE(dialogs_.messages.empty());

  form_->DeskPicTimer->Fire();
  ASSERT_EQ(changes_.size(), 2u);
  EXPECT_EQ(ReadBytes(bmp), ReadBytes(c));  // a bitmap is copied byte for byte
  form_->DeskPicTimer->Fire();
  ASSERT_EQ(changes_.size(), 3u);
  EXPECT_EQ(changes_[2].pixels, JpegCodec::Decode(Picture("e.jpg")));
  form_->DeskPicTimer->Fire();  // after the last entry, the first again
  ASSERT_EQ(changes_.size(), 4u);
  EXPECT_EQ(changes_[3].pixels, JpegCodec::Decode(Picture("b.jpg")));
  for (const Change& change : changes_) EXPECT_EQ(change.path, bmp);
}

// Lists that give nothing, or give something only after skipping.
TEST_F(DeskPicTest, ListSourceSkipsWhatItCannotUse) {
  struct Case {
    const char* name;
    QStringList entries;   // made in the picture folder by kind of name
    QString message;       // the one message expected at start, empty for none
    int changesAtStart;    // wallpaper changes at start
    int changesAfterTick;  // after one more tick
    bool running;          // after the start
  };
  const std::vector<Case> cases = {
      {"only kinds it does not show", {"a.gif", "b.ico", "c.emf", "d.wmf"}, {}, 0, 0, true},
      {"empty list", {}, kNoPictures, 0, 0, false},
      {"folder named like a picture", {"x.jpg", "z.jpg"}, {}, 1, 2, true},
      {"missing file", {"gone.jpg", "z.jpg"}, {}, 1, 2, true},
      {"undecodable picture", {"y.jpg", "z.jpg"}, QStringLiteral("error"), 0, 1, true},
  };
  for (const Case& tc : cases) {
    SCOPED_TRACE(tc.name);
    TearDown();
    changes_.clear();
    dialogs_.messages.clear();
    list_.Clear();
    QDir(pictures_).removeRecursively();
    QDir().mkpath(pictures_);
    SetUp();
    for (const QString& name : tc.entries) {
      if (name == QLatin1String("x.jpg"))
        QDir().mkpath(Picture(name));
      else if (name == QLatin1String("y.jpg"))
        files_.WriteBytes(QStringLiteral("pictures/y.jpg"), "\xFF\xD8\xFF\xE0 not really");
      else if (name == QLatin1String("z.jpg"))
        WriteJpeg(name, 7);
      else if (name != QLatin1String("gone.jpg"))
        files_.WriteBytes(QStringLiteral("pictures/") + name, "data");
    }
    UseList(tc.entries);

    Press();
    if (tc.message.isEmpty()) {
      EXPECT_TRUE(dialogs_.messages.empty());
    } else {
      ASSERT_EQ(dialogs_.messages.size(), 1u);
      if (tc.message == QLatin1String("error")) {
        EXPECT_EQ(dialogs_.messages[0].icon, Dialogs::Icon::Error);
      } else {
        EXPECT_EQ(dialogs_.messages[0].text, tc.message);
        EXPECT_EQ(dialogs_.messages[0].title, QStringLiteral("Picora"));
        EXPECT_EQ(dialogs_.messages[0].icon, Dialogs::Icon::Warning);
      }
    }
    EXPECT_EQ(int(changes_.size()), tc.changesAtStart);
    ExpectRunning(tc.running);
    EXPECT_EQ(form_->DeskPicTimer->Enabled(), tc.running);
    if (tc.running) form_->DeskPicTimer->Fire();
    EXPECT_EQ(int(changes_.size()), tc.changesAfterTick);
    if (!changes_.empty()) {
      EXPECT_EQ(changes_.back().pixels, JpegCodec::Decode(Picture("z.jpg")));
    }
    EXPECT_LE(dialogs_.messages.size(), 1u);
  }
}

// While a change's error report is open, ticks (which the box's own loop would deliver)
// are skipped: one box, not one per interval.
TEST_F(DeskPicTest, NoErrorReportOpensInsideAnother) {
  files_.WriteBytes(QStringLiteral("pictures/y.jpg"), "\xFF\xD8\xFF\xE0 broken");
  files_.WriteBytes(QStringLiteral("pictures/y2.jpg"), "\xFF\xD8\xFF\xE0 broken too");
  WriteJpeg(QStringLiteral("z.jpg"), 3);
  UseList({"y.jpg", "y2.jpg", "z.jpg"});
  struct TickingDialogs : RecordingDialogs {
    TDeskPicForm* form = nullptr;
    int depth = 0, deepest = 0;
    void Message(QWidget* owner, const QString& text, const QString& title,
                 Dialogs::Icon icon) override {
      RecordingDialogs::Message(owner, text, title, icon);
      deepest = std::max(deepest, ++depth);
      for (int i = 0; i < 3; ++i) form->DeskPicTimer->Fire();
      --depth;
    }
  } ticking;
  ticking.form = form_.get();
  Press();
  EXPECT_EQ(ticking.messages.size(), 1u);
  EXPECT_EQ(ticking.deepest, 1);
  EXPECT_TRUE(changes_.empty());
  // The next tick goes on with the next entry (another broken one), then the good one.
  form_->DeskPicTimer->Fire();
  EXPECT_EQ(ticking.messages.size(), 2u);
  form_->DeskPicTimer->Fire();
  ASSERT_EQ(changes_.size(), 1u);
  EXPECT_EQ(changes_[0].pixels, JpegCodec::Decode(Picture("z.jpg")));
}

TEST_F(DeskPicTest, ListContinuesAfterStopWithTheNewInterval) {
  for (const char* n : {"p1.jpg", "p2.jpg", "p3.jpg"}) WriteJpeg(n, n[1] - '0');
  UseList({"p1.jpg", "p2.jpg", "p3.jpg"});
  Press();
  form_->DeskPicTimer->Fire();
  ASSERT_EQ(changes_.size(), 2u);
  Press();  // stop
  ExpectRunning(false);
  EXPECT_FALSE(form_->DeskPicTimer->Enabled());
  EXPECT_EQ(changer_->ListPos, 2);
  form_->fedtTime->SetValue(12);
  Press();
  ASSERT_EQ(changes_.size(), 3u);
  EXPECT_EQ(changes_[2].pixels, JpegCodec::Decode(Picture("p3.jpg")));
  EXPECT_EQ(form_->DeskPicTimer->Interval(), 12000);
  EXPECT_TRUE(form_->DeskPicTimer->Enabled());
  ExpectRunning(true);
}

TEST_F(DeskPicTest, ServerWithAllTwentyPictures) {
  PictureServer server;
  ServeAll(server);
  changer_->ServerAddress = server.Address() + QStringLiteral("/");  // as a user may write it
  form_->show();
  Press();
  EXPECT_TRUE(dialogs_.messages.empty());
  ExpectRunning(true);
  EXPECT_FALSE(form_->isVisible());
  EXPECT_TRUE(form_->DownDeskPicTimer->Enabled());
  EXPECT_EQ(form_->DeskPicTimer->Interval(), 30000);
  EXPECT_EQ(changer_->BaseUrl, server.Address() + QStringLiteral("/DeskPic/DeskPic"));
  ASSERT_TRUE(PassEnds());
  EXPECT_TRUE(changer_->DownloadIdle);

  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 41u);
  EXPECT_EQ(requests[0].method, QStringLiteral("HEAD"));
  EXPECT_EQ(requests[0].path, ServerPath(1));
  for (int i = 1; i <= 20; ++i) {
    EXPECT_EQ(requests[2 * i - 1].method, QStringLiteral("HEAD")) << i;
    EXPECT_EQ(requests[2 * i].method, QStringLiteral("GET")) << i;
    EXPECT_EQ(requests[2 * i - 1].path, ServerPath(i));
    EXPECT_EQ(requests[2 * i].path, ServerPath(i));
  }
  for (const auto& r : requests) {
    EXPECT_EQ(r.accept, QByteArray("text/html, */*"));
    EXPECT_EQ(r.userAgent, QByteArray("Picora/2.5"));
  }
  for (int i = 1; i <= 20; ++i) EXPECT_EQ(ReadBytes(Downloaded(i)), NumberedJpeg(i)) << i;
  EXPECT_FALSE(QFile::exists(Folder() + QStringLiteral("/DeskPicture")));
  // The first picture is the wallpaper as soon as it arrives, and the change timer runs.
  ASSERT_GE(changes_.size(), 1u);
  EXPECT_EQ(changes_[0].pixels, JpegCodec::Decode(Downloaded(1)));
  EXPECT_EQ(changer_->NetPicNo, 1);
  EXPECT_TRUE(form_->DeskPicTimer->Enabled());
  form_->DeskPicTimer->Fire();
  EXPECT_EQ(changes_.back().pixels, JpegCodec::Decode(Downloaded(2)));

  // The hourly tick starts another pass, which fetches everything again.
  form_->DownDeskPicTimer->Fire();
  EXPECT_FALSE(changer_->DownloadIdle);
  form_->DownDeskPicTimer->Fire();  // never a second pass beside it
  ASSERT_TRUE(PassEnds());
  EXPECT_EQ(server.Requests().size(), 81u);
}

TEST_F(DeskPicTest, FailedDownloadsAreSkippedSilently) {
  PictureServer server;
  ServeAll(server);
  server.Set(ServerPath(2), {PictureServer::Kind::NotFound, {}});
  server.Set(ServerPath(3), {PictureServer::Kind::Html, {}});
  server.Set(ServerPath(4), {PictureServer::Kind::Redirect, {}});
  server.Set(ServerPath(5), {PictureServer::Kind::Endless, {}});
  server.Set(ServerPath(6), {PictureServer::Kind::Stall, {}});    // the GET stalls
  server.Set(ServerPath(10), {PictureServer::Kind::Silent, {}});  // so does the HEAD
  // A Content-Length above the bound fails before the body.
  server.Set(ServerPath(7), {PictureServer::Kind::Body, QByteArray(300 << 10, '\xFF')});
  // A JPEG start with nothing decodable after it is kept, and skipped at change time.
  server.Set(ServerPath(8), {PictureServer::Kind::Body, QByteArray("\xFF\xD8\xFF\xE0junk")});
  UseServer(server);
  Press();
  ASSERT_TRUE(PassEnds());
  EXPECT_TRUE(dialogs_.messages.empty());
  for (int i : {2, 3, 4, 5, 6, 7, 10}) EXPECT_FALSE(QFile::exists(Downloaded(i))) << i;
  for (int i : {1, 8, 9, 20}) EXPECT_TRUE(QFile::exists(Downloaded(i))) << i;
  EXPECT_FALSE(QFile::exists(Folder() + QStringLiteral("/DeskPicture")));
  EXPECT_FALSE(QFile::exists(home_ + QStringLiteral("/evil.jpg")));
  EXPECT_EQ(QDir(Folder()).entryList(QDir::Files).size(), 14);  // 13 pictures and the bmp
  // Every number past the failed ones is tried: 2 ... 7 fail at HEAD or GET, 8 decodes
  // nowhere and is skipped, so the tick after 1 shows 9.
  ASSERT_EQ(changes_.size(), 1u);
  form_->DeskPicTimer->Fire();
  ASSERT_EQ(changes_.size(), 2u);
  EXPECT_EQ(changes_[1].pixels, JpegCodec::Decode(Downloaded(9)));
  EXPECT_EQ(changer_->NetPicNo, 9);
  EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(DeskPicTest, NoServerLeavesTheDesktopStopped) {
  quint16 port;
  {
    QTcpServer probe;  // a port nobody listens on any more
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    port = probe.serverPort();
  }
  changer_->ServerAddress = QStringLiteral("http://127.0.0.1:%1").arg(port);
  Press();
  ASSERT_EQ(dialogs_.messages.size(), 1u);
  EXPECT_EQ(dialogs_.messages[0].text, kNoServer);
  EXPECT_EQ(dialogs_.messages[0].title, QStringLiteral("Picora"));
  EXPECT_EQ(dialogs_.messages[0].icon, Dialogs::Icon::Warning);
  ExpectRunning(false);
  EXPECT_FALSE(form_->DeskPicTimer->Enabled());
  EXPECT_FALSE(form_->DownDeskPicTimer->Enabled());
  EXPECT_FALSE(changer_->PassAlive());
}

TEST_F(DeskPicTest, ConnectionTestIsBounded) {
  PictureServer server;  // 01 never answers
  UseServer(server);
  server.Set(ServerPath(1), {PictureServer::Kind::Silent, {}});
  changer_->Limits.idleMs = 60000;
  changer_->Limits.totalMs = 60000;
  changer_->Limits.connectionTestMs = 1000;
  Press();
  ASSERT_EQ(dialogs_.messages.size(), 1u);
  EXPECT_EQ(dialogs_.messages[0].text, kNoServer);
  ExpectRunning(false);
}

TEST_F(DeskPicTest, StopDuringAPictureEndsThePass) {
  PictureServer server;
  ServeAll(server);
  server.Set(ServerPath(3), {PictureServer::Kind::Gated, NumberedJpeg(3)});
  UseServer(server);
  Press();
  ASSERT_TRUE(WaitFor([&] { return server.GatedSent() == 1; }));
  ASSERT_TRUE(WaitFor([&] { return changes_.size() == 1; }));
  Press();  // stop while picture 3 is in flight
  ExpectRunning(false);
  const size_t changesAtStop = changes_.size();
  server.Release();
  ASSERT_TRUE(PassEnds());
  QCoreApplication::processEvents();
  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 7u);  // test, then HEAD and GET of 1, 2 and 3
  EXPECT_EQ(requests.back().method, QStringLiteral("GET"));
  EXPECT_EQ(requests.back().path, ServerPath(3));
  EXPECT_FALSE(form_->DeskPicTimer->Enabled());
  EXPECT_FALSE(form_->DownDeskPicTimer->Enabled());
  EXPECT_EQ(changes_.size(), changesAtStop);
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(ReadBytes(Downloaded(i)), NumberedJpeg(i)) << i;
  EXPECT_FALSE(QFile::exists(Downloaded(4)));
}

TEST_F(DeskPicTest, StartAgainWaitsForTheStoppedPass) {
  PictureServer server;
  ServeAll(server);
  server.Set(ServerPath(3), {PictureServer::Kind::Gated, NumberedJpeg(3)});
  UseServer(server);
  Press();
  ASSERT_TRUE(WaitFor([&] { return server.GatedSent() == 1; }));
  ASSERT_TRUE(WaitFor([&] { return changes_.size() == 1; }));
  form_->DeskPicTimer->Fire();  // picture 2
  EXPECT_EQ(changer_->NetPicNo, 2);
  Press();  // stop
  Press();  // and start again at once
  EXPECT_EQ(changer_->NetPicNo, 0);
  ExpectRunning(true);
  EXPECT_FALSE(changer_->DownloadIdle);
  // Only the connection test went out; the new pass waits for the old one.
  EXPECT_EQ(server.Requests().size(), 8u);
  EXPECT_EQ(changer_->PassesStarted(), 1);
  EXPECT_FALSE(form_->DeskPicTimer->Enabled());
  // The new pass would stall at 3 too; let it have the picture this time.
  server.Set(ServerPath(3), {PictureServer::Kind::Body, NumberedJpeg(3)});
  server.Release();
  ASSERT_TRUE(WaitFor([&] { return server.Requests().size() == 48u; }));
  ASSERT_TRUE(PassEnds());
  const auto requests = server.Requests();
  // The old pass ended with its picture 3; then the new pass from 1 to 20, alone.
  EXPECT_EQ(requests[8].method, QStringLiteral("HEAD"));
  EXPECT_EQ(requests[8].path, ServerPath(1));
  EXPECT_TRUE(requests[7].whileGated);  // the connection test is the window's own
  for (size_t k = 8; k < requests.size(); ++k) EXPECT_FALSE(requests[k].whileGated) << k;
  EXPECT_EQ(changer_->PassesStarted(), 2);
  // The old pass's picture 3 was not handed over; the new start shows picture 1 again.
  ASSERT_EQ(changes_.size(), 3u);
  EXPECT_EQ(changes_[2].pixels, JpegCodec::Decode(Downloaded(1)));
  EXPECT_EQ(changer_->NetPicNo, 1);
  EXPECT_TRUE(form_->DeskPicTimer->Enabled());
  EXPECT_TRUE(changer_->DownloadIdle);
}

TEST_F(DeskPicTest, WindowsGoDuringAStalledPass) {
  PictureServer server;
  ServeAll(server);
  server.Set(ServerPath(2), {PictureServer::Kind::Stall, {}});
  UseServer(server);
  changer_->Limits.idleMs = 120000;
  changer_->Limits.totalMs = 120000;
  Press();
  ASSERT_TRUE(WaitFor([&] { return server.Requests().size() == 5u; }));  // GET 02 sent
  QElapsedTimer clock;
  clock.start();
  form_.reset();
  // Far below the request's own bounds: the request was aborted, not waited out.
  EXPECT_LT(clock.elapsed(), 30000);
  QCoreApplication::processEvents();
  EXPECT_FALSE(QFile::exists(Folder() + QStringLiteral("/DeskPicture")));
}
