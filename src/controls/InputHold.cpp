#include "InputHold.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <memory>
#include <utility>
#include <vector>

namespace {

bool IsHeldInput(const QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::Enter:
    case QEvent::Leave:
    case QEvent::HoverEnter:
    case QEvent::HoverLeave:
    case QEvent::HoverMove:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
      return true;
    default:
      return false;
  }
}

// Filters every event of the application while a hold is on.
class Keeper : public QObject {
 public:
  struct Held {
    QPointer<QObject> receiver;
    std::unique_ptr<QEvent> event;
  };

  int depth = 0;
  int escapes = 0;
  std::vector<Held> held;
  std::vector<std::pair<QPointer<QObject>, std::function<void()>>> after;

  bool eventFilter(QObject* watched, QEvent* event) override {
    const bool window = watched->isWindowType();
    if (!window && !watched->isWidgetType()) return false;
    // A close request from the window manager would run the close query in the middle.
    const bool hold = IsHeldInput(event) || (window && event->type() == QEvent::Close);
    if (!hold) return false;
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
      ++escapes;
    held.push_back({watched, std::unique_ptr<QEvent>(event->clone())});
    return true;
  }

  void HandOut() {
    std::vector<Held> input = std::move(held);
    held.clear();
    for (Held& h : input)
      if (h.receiver) QCoreApplication::postEvent(h.receiver, h.event.release());
    auto callbacks = std::move(after);
    after.clear();
    for (auto& [context, f] : callbacks)
      if (context) QMetaObject::invokeMethod(context, std::move(f), Qt::QueuedConnection);
  }
};

Keeper& TheKeeper() {
  static Keeper keeper;
  return keeper;
}

}  // namespace

InputHold::InputHold() {
  Keeper& k = TheKeeper();
  if (k.depth++ == 0 && QCoreApplication::instance())
    QCoreApplication::instance()->installEventFilter(&k);
  escapesAtStart_ = k.escapes;
}

InputHold::~InputHold() {
  Keeper& k = TheKeeper();
  if (--k.depth > 0) return;
  if (QCoreApplication::instance()) QCoreApplication::instance()->removeEventFilter(&k);
  k.HandOut();
}

bool InputHold::Active() {
  return TheKeeper().depth > 0;
}

void InputHold::AfterHold(QObject* context, std::function<void()> f) {
  Keeper& k = TheKeeper();
  if (k.depth == 0) {
    QMetaObject::invokeMethod(context, std::move(f), Qt::QueuedConnection);
    return;
  }
  k.after.emplace_back(context, std::move(f));
}

void InputHold::AnswerWindowSystem() {
  QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers |
                                  QEventLoop::X11ExcludeTimers);
}

bool InputHold::EscapePressed() const {
  return TheKeeper().escapes > escapesAtStart_;
}
