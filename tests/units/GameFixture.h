#pragma once
// The game window beside the picture area's controls, on Qt's offscreen platform: the
// window is built with the fixture's context, so the fake host records what it asks of
// the main window, and messages are recorded instead of shown. The seed that every
// start reseeds with is pinned.
#include <QApplication>
#include <QMouseEvent>
#include <vector>

#include "ViewerFixture.h"
#include "app/TestDialogs.h"
#include "controls/Random.h"
#include "game/SpellPIcForm.h"

class GameFixture : public ViewerFixture {
 protected:
  GameFixture() {
    Dialogs::SetResponder(&dialogs);
    PinRandomizeSeed(20250);
  }
  ~GameFixture() override {
    UnpinRandomizeSeed();
    Dialogs::SetResponder(nullptr);
  }

  // Each pixel's colour says where it lies: x and y up to 4095.
  static QRgb Encode(int x, int y) {
    return qRgb(x & 0xFF, ((x >> 8) & 0xF) | ((y >> 8) & 0xF) << 4, y & 0xFF);
  }
  static QPoint Decode(QRgb c) {
    return {qRed(c) | (qGreen(c) & 0xF) << 8, qBlue(c) | (qGreen(c) >> 4) << 8};
  }
  static Bitmap Coordinates(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) image.setPixel(x, y, Encode(x, y));
    return Bitmap(image);
  }
  // Where the pixel at (x, y) of a piece came from in the game picture.
  static QPoint Source(const TImage* piece, int x, int y) {
    return Decode(piece->GetPicture().GetGraphic()->ToImage().pixel(x, y));
  }

  // A game on the grid of cells (9 or 12) with the pieces in the given layout (-1 the
  // blank), laid out as a start lays them out.
  void LayOut(int cells, const std::vector<int>& layout) {
    (cells == 9 ? form.frbtnNine : form.frbtnTwelve)->SetChecked(true);
    form.fbtnStartClick();
    for (size_t s = 0; s < layout.size(); ++s) form.Game.Board[s + 1] = layout[s];
    for (int s = 1; s <= cells; ++s) {
      const int k = form.Game.Board[s];
      if (k < 1) continue;
      const QPoint origin = PuzzleBoard::SlotOrigin(cells, s);
      form.Piece(k)->move(origin);
    }
  }

  static void Send(TImage* piece, QEvent::Type type, Qt::MouseButton button,
                   Qt::MouseButtons buttons, QPoint local) {
    QMouseEvent event(type, QPointF(local), QPointF(piece->mapToGlobal(local)), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(piece, &event);
  }

  // A drag of piece k as the mouse makes it: a press at grab inside the piece, then the
  // mouse moved by each offset in turn (board pixels, summed up), each event reporting
  // the mouse inside the piece where the piece stands at that moment. Returns where the
  // piece stood before the release; the release follows when release is true.
  QPoint Drag(int k, const std::vector<QPoint>& moves, Qt::MouseButton button = Qt::LeftButton,
              bool release = true) {
    TImage* piece = form.Piece(k);
    const QPoint grab(20, 30);
    QPoint mouse = piece->pos() + grab;  // in the board
    Send(piece, QEvent::MouseButtonPress, button, button, grab);
    for (const QPoint& m : moves) {
      mouse += m;
      Send(piece, QEvent::MouseMove, Qt::NoButton, button, mouse - piece->pos());
    }
    const QPoint before = piece->pos();
    if (release)
      Send(piece, QEvent::MouseButtonRelease, button, Qt::NoButton, mouse - piece->pos());
    return before;
  }

  std::vector<int> Slots() const {
    return std::vector<int>(form.Game.Board + 1, form.Game.Board + 1 + PuzzleBoard::kSlots);
  }

  TestDialogs dialogs;
  TSpellPIcForm form{context};
};
