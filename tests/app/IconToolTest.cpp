// The icon extraction window in the running windows: the Tools menu opens it modally, a
// program's first icon shows in it and is saved as a one-image .ico under the name chosen
// plus ".ico", and an empty icon is refused with a message and no file. The programs are
// PE files built by the test.
#include <QFile>

#include "FormsTest.h"
#include "picture/Icon.h"
#include "picture/ImageFiles.h"
#include "picture/PeBuilder.h"

namespace {

// 32 x 32: a colour per quadrant and a transparent corner, so that a mirrored, scaled or
// flattened icon shows.
QImage IconImage() {
  QImage image(32, 32, QImage::Format_ARGB32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      image.setPixel(x, y,
                     x < 4 && y < 4 ? 0u : qRgba(x < 16 ? 200 : 20, y < 16 ? 40 : 220, 90, 255));
  return image;
}

// A program whose one icon group "MAIN" holds image as a 32-bit bitmap.
QByteArray ProgramWithIcon(const QImage& image) {
  const QByteArray dib = ImageFiles::EncodeIco(image).mid(22);  // the image without the directory
  const std::vector<PeBuilder::ResourceType> types = {
      {3, {{QString(), 1, dib}}},
      {14,
       {{QStringLiteral("MAIN"), 0, PeBuilder::Group({{32, 32, 0, 32, 1, quint32(dib.size())}})}}}};
  return PeBuilder::Build(types, false);
}

QImage Argb(const QImage& image) {
  return image.convertToFormat(QImage::Format_ARGB32);
}

QImage Shown() {
  const Graphic* g = GetIconForm->icoImage->GetPicture().GetGraphic();
  return g ? Argb(g->ToImage()) : QImage();
}

}  // namespace

class IconToolTest : public FormsTest {
 protected:
  void Open(const QString& path) {
    dialogs.AnswerFile(path);
    GetIconForm->fbtnOpenClick();
  }
  void SaveAs(const QString& name) {
    dialogs.AnswerFile(files.Path(name));
    GetIconForm->fbtnSave->click();  // as the user does: an error goes to the report
  }
};

TEST_F(IconToolTest, ToolsMenuShowsTheWindowModallyOverTheMainWindow) {
  MainForm->State.MenuOpen = true;
  menuToolForm->Label6Click();
  ASSERT_EQ(dialogs.modals.size(), 1u);
  EXPECT_EQ(dialogs.modals[0], GetIconForm);
  EXPECT_FALSE(MainForm->State.MenuOpen);
  EXPECT_FALSE(menuToolForm->isVisible());
  EXPECT_EQ(GetIconForm->size(), QSize(227, 157));
  EXPECT_EQ(GetIconForm->frameGeometry().center(), MainForm->frameGeometry().center());
  EXPECT_EQ(GetIconForm->icoImage->geometry(), QRect(120, 69, 32, 32));
}

TEST_F(IconToolTest, TheFirstIconIsShownAndSavedAsOneImage) {
  const QImage image = IconImage();
  Open(files.WriteBytes(QStringLiteral("prog.exe"), ProgramWithIcon(image)));
  ASSERT_EQ(dialogs.fileRequests.size(), 1u);
  const Dialogs::FileRequest& open = dialogs.fileRequests[0];
  EXPECT_FALSE(open.save);
  EXPECT_FALSE(open.preview);
  ASSERT_EQ(open.filters.size(), 3);
  EXPECT_EQ(open.filters[0].patterns, QStringLiteral("*.exe;*.dll"));
  EXPECT_EQ(Shown(), image);

  // The name always gets the extension; an existing file is replaced without a question.
  SaveAs(QStringLiteral("a"));
  SaveAs(QStringLiteral("a.ico"));
  files.WriteBytes(QStringLiteral("b.ico"), "old");
  SaveAs(QStringLiteral("b"));
  for (const char* name : {"a.ico", "a.ico.ico", "b.ico"}) {
    SCOPED_TRACE(name);
    const QString path = files.Path(QString::fromLatin1(name));
    Icon saved;
    saved.LoadFromFile(path);
    EXPECT_EQ(Argb(saved.ToImage()), image);
    EXPECT_EQ(ImageFiles::ReadIco(path).size(), 1u);  // one image
  }
  EXPECT_FALSE(QFile::exists(files.Path(QStringLiteral("a"))));
  for (size_t i = 1; i < dialogs.fileRequests.size(); ++i) {
    const Dialogs::FileRequest& r = dialogs.fileRequests[i];
    EXPECT_TRUE(r.save);
    EXPECT_FALSE(r.overwritePrompt);
    EXPECT_TRUE(r.defaultExt.isEmpty());
    ASSERT_EQ(r.filters.size(), 1);
    EXPECT_EQ(r.filters[0].patterns, QStringLiteral("*.ico"));
  }
  EXPECT_TRUE(dialogs.messages.empty());

  // Cancelling the open dialog, closing and reopening the window keep the icon.
  GetIconForm->fbtnOpenClick();
  GetIconForm->fbtnExitClick();
  EXPECT_FALSE(GetIconForm->isVisible());
  menuToolForm->Label6Click();
  EXPECT_EQ(Shown(), image);
}

TEST_F(IconToolTest, AnEmptyIconIsNotSaved) {
  // Nothing extracted yet.
  SaveAs(QStringLiteral("none"));
  EXPECT_EQ(dialogs.messages.size(), 1u);
  EXPECT_FALSE(QFile::exists(files.Path(QStringLiteral("none.ico"))));

  // A good program, then a file that is none: the icon is gone.
  Open(files.WriteBytes(QStringLiteral("prog.exe"), ProgramWithIcon(IconImage())));
  Open(files.WriteBytes(QStringLiteral("text.exe"), "not a program"));
  EXPECT_TRUE(Shown().isNull() || Shown().width() == 0);
  SaveAs(QStringLiteral("after"));
  EXPECT_EQ(dialogs.messages.size(), 2u);
  EXPECT_FALSE(QFile::exists(files.Path(QStringLiteral("after.ico"))));
}
