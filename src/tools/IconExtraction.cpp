#include "IconExtraction.h"

#include "controls/Dialogs.h"
#include "controls/TImage.h"
#include "picture/ExeIcon.h"
#include "picture/Icon.h"

const QString IconExtraction::kOpenFilter =
    QStringLiteral("All(*.exe;*.dll)|*.exe;*.dll|EXE(*.exe)|*.exe|DLL(*.dll)|*.dll");
const QString IconExtraction::kSaveFilter = QStringLiteral("ICO(*.ico)|*.ico");

IconExtraction::IconExtraction(QWidget* window, TImage* icon) : window_(window), icon_(icon) {}

void IconExtraction::Open() {
  Dialogs::FileRequest request;
  request.owner = window_;
  request.filters = Dialogs::ParseFilter(kOpenFilter);
  request.fileMustExist = true;
  request.preview = false;  // programs have no picture to preview
  const Dialogs::FileResult result = Dialogs::RunFileDialog(request);
  if (!result.accepted || result.path.isEmpty()) return;
  // Never raises: a file without a readable icon gives an empty one, which shows nothing.
  icon_->GetPicture().Assign(ExeIcon::Extract(result.path));
}

void IconExtraction::Save() {
  Dialogs::FileRequest request;
  request.owner = window_;
  request.save = true;
  request.filters = Dialogs::ParseFilter(kSaveFilter);
  request.preview = false;
  // No default extension and no overwrite question: the extension is always appended
  // below, so the dialog cannot know the final name.
  const Dialogs::FileResult result = Dialogs::RunFileDialog(request);
  if (!result.accepted || result.path.isEmpty()) return;
  const QString path = result.path + QStringLiteral(".ico");
  const Graphic* shown = icon_->GetPicture().GetGraphic();
  // Nothing extracted yet is an empty icon too; its writer refuses it.
  const Icon icon =
      shown && shown->GetKind() == Graphic::Kind::Icon ? static_cast<const Icon&>(*shown) : Icon();
  icon.SaveToFile(path);
}
