#pragma once
// One run of the wallpaper chain (see Wallpaper.h): tries the ways in turn, each under the
// time bound, and reports the way that took the picture. Lives on the thread that started
// it and deletes itself when done.
#include <QByteArray>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <functional>

#include "Wallpaper.h"

class WallpaperJob : public QObject {
  Q_OBJECT
 public:
  WallpaperJob(const QString& path, const Wallpaper::Options& options, Wallpaper::Done done);
  ~WallpaperJob() override;

  // Starts from the event loop, never inside this call; finished runs after done.
  void Start(std::function<void()> finished);
  // done gets None instead of running the chain.
  void Drop();

  // The settings a desktop named in XDG_CURRENT_DESKTOP keeps its wallpaper in; None for
  // a desktop we do not know, whose keys we must not guess.
  static Wallpaper::Way DesktopOf(const QString& currentDesktops);
  // A string as GVariant text, the form gsettings parses.
  static QString GVariantString(const QString& text);
  // A string as a JavaScript string literal.
  static QString ScriptString(const QString& text);

 private:
  enum class Step { Portal, Desktop, X11, End };
  using Then = std::function<void(bool ok, const QByteArray& output)>;

  void Begin(Step step);
  void Advance();  // this way failed or is missing: the next one
  void Finish(Wallpaper::Way way);
  void EndWay();  // forgets everything the current way left running

  void TryPortal();
  void TryDesktop();
  void TryX11();
  void SetGnome();
  void SetGsettings(const QString& schema, const QString& key, const QString& value,
                    Wallpaper::Way way);
  void SetXfce();
  void StoreXfce(const QStringList& properties, int index);
  void CreateXfce(const QStringList& properties, int index);
  void SetKde();
  void RunPlasmaHelper();

  // Runs a helper program found on the PATH of the options' environment, from an argument
  // list; then gets whether it exited with 0 and what it printed (bounded). Answers that
  // arrive after the way ended are dropped.
  void Run(const QString& name, const QStringList& arguments, Then then, bool utf8 = false);
  QString Find(const QString& name) const;

  const QString path_, uri_;
  const Wallpaper::Options options_;
  Wallpaper::Done done_;
  std::function<void()> finished_;
  Step step_ = Step::Portal;
  int generation_ = 0;  // counts ways; callbacks of an ended way compare and drop out
  QTimer bound_;
  QObject* scope_ = nullptr;  // parent of what the current way runs
};
