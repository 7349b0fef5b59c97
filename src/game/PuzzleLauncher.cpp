#include "PuzzleLauncher.h"

#include "PuzzlePicture.h"
#include "SpellPIcForm.h"
#include "controls/Dialogs.h"
#include "core/PictureArea.h"
#include "core/ViewerState.h"
#include "core/WindowHost.h"

namespace {
void Refuse(const QString& text) {
  Dialogs::Message(nullptr, text, QStringLiteral("友情提示"), Dialogs::Icon::Warning);
}
}  // namespace

PuzzleLauncher::PuzzleLauncher(ViewerContext context, TSpellPIcForm& form)
    : v_(context), form_(form) {}

void PuzzleLauncher::Run() {
  const QString& ext = v_.state.CurExt;
  if (ext != QLatin1String(".jpg") && ext != QLatin1String(".jpeg") &&
      ext != QLatin1String(".bmp")) {
    Refuse(QStringLiteral("请先打开一幅bmp或jpg图片"));
    return;
  }
  // The bitmap on display, edits included. Loading keeps a bitmap there for BMP and JPEG
  // files; after the picture is closed there is none, which counts as 0 x 0.
  const Graphic* shown = v_.area.imgMain->GetPicture().GetGraphic();
  const auto* bitmap = shown && shown->GetKind() == Graphic::Kind::Bitmap
                           ? static_cast<const Bitmap*>(shown)
                           : nullptr;
  const int w = bitmap ? bitmap->Width() : 0, h = bitmap ? bitmap->Height() : 0;
  if (w < PuzzlePicture::kWidth) {
    Refuse(QStringLiteral("当前图片宽度必须大于600"));
    return;
  }
  if (h < PuzzlePicture::kHeight) {
    Refuse(QStringLiteral("当前图片高度必须大于450"));
    return;
  }
  form_.TakeGamePicture(PuzzlePicture::GamePicture(*bitmap));
  // Centred over where the main window was; its bounds stay valid while it is hidden.
  const QRect over = v_.host.MainWindowBounds();
  v_.host.SetMainWindowVisible(false);
  form_.ShowOver(over);
}
