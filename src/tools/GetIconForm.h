#pragma once
// The icon extraction window: opens a program or library, shows its first icon and saves
// it as an .ico file. Borderless and fixed in place, shown modally over the main window by
// the Tools menu; the rules are the owner's (Extraction), the handlers forward there.
#include <memory>

#include "IconExtraction.h"
#include "controls/TButton.h"
#include "controls/TForm.h"
#include "controls/TImage.h"
#include "controls/TLabel.h"

class TGetIconForm : public TForm {
 public:
  explicit TGetIconForm(QWidget* owner);
  ~TGetIconForm() override;

  TLabel* Label1;
  TButton *fbtnOpen, *fbtnSave, *fbtnExit;
  TImage* icoImage;  // the extracted icon, 32 x 32, drawn with its transparency

  std::unique_ptr<IconExtraction> Extraction;

  // The Tools menu's "提取图标(&C)": shows the window modally, centred over its owner.
  void ShowDialog();
  void fbtnOpenClick();
  void fbtnSaveClick();
  void fbtnExitClick();
};
