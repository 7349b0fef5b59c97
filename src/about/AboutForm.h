#pragma once
// The about box: the program's banner, name, version, maker, mail address and home page.
// A press on the window's own background closes it; the two addresses underline under the
// mouse and open in the desktop's mail program and web browser.
#include "controls/TForm.h"
#include "controls/TImage.h"
#include "controls/TLabel.h"
#include "controls/TPanel.h"

class TAboutForm : public TForm {
 public:
  explicit TAboutForm(QWidget* owner);

  // The project's own addresses. example.org is reserved: while the project has no
  // addresses of its own, nothing here points at a stranger.
  static const QString kMailAddress;
  static const QString kHomePage;

  TPanel* Panel1;  // the white strip across the top
  TImage* Image1;  // the banner
  TLabel* Label2;  // program name
  TLabel* Label3;  // version
  TLabel* Label1;  // mail address
  TLabel* Label4;  // home page
  TLabel* Label5;  // maker

  void FormMouseDown(Qt::MouseButton button, int x, int y);
  void FormMouseMove(int x, int y);
  void Label1Click();
  void Label1MouseMove(int x, int y);
  void Label4Click();
  void Label4MouseMove(int x, int y);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // Bold always; underlined while the mouse is over the label.
  static void SetLinkLook(TLabel* label, bool underline);
};
