#include "UserCommands.h"

UserCommands::UserCommands()
    : SelectionMode(QStringLiteral("区域选择(&T)   "), QStringLiteral("取消选择(&T)   ")),
      FullScreen(QStringLiteral("全屏(&F)"), QStringLiteral("退出全屏(&F)")),
      MiniMode(QStringLiteral("迷你播放(&X)"), QStringLiteral("取消迷你(&X)")),
      ListPanel(QStringLiteral("列表查看(&L)"), QStringLiteral("隐藏列表(&L)")) {
  // Real size is the display mode at start, and the list panel shows.
  RealSize.SetChecked(true);
  ListPanel.SetChecked(true);
  // Nothing is shown or selected yet.
  PrintPicture.SetEnabled(false);
  for (Command* c : {&Cut, &Copy, &Paste, &SaveSelection}) c->SetEnabled(false);
}
