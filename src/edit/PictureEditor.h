#pragma once
// Edits of the displayed picture: the quarter turn and the two mirrors, which change the
// reference copy too, and the tone filters (brighter, darker, restore, negative, emboss,
// black and white), which change only what is displayed so that restore can return to
// the reference.
#include "core/ViewerContext.h"
#include "picture/Bitmap.h"

class Magnifier;
class SelectionTool;

class PictureEditor {
 public:
  PictureEditor(ViewerContext context, Magnifier& magnifier, SelectionTool& selection);

  void Rotate90();
  void MirrorLeftRight();
  void MirrorUpDown();

  void Brighter();
  void Darker();
  void RestoreBrightness();
  void Negative();
  void Emboss();
  void BlackWhite();

  // The displayed picture becomes a bitmap (empty when nothing is shown), unless that has
  // been done since the last load.
  void EnsureBitmap();

 private:
  bool PrepareGeometricEdit();
  bool PrepareFilter();
  void TakeResult(Bitmap result);
  void StepBrightness(int delta);
  void ShowFiltered(Bitmap (*filter)(const Bitmap&));

  ViewerContext v_;
  Magnifier& magnifier_;
  SelectionTool& selection_;
};
