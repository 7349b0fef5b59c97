#pragma once
// Answers the dialogs of an owner under test and records what was asked: messages, file
// dialogs (answered from a queue, cancelled when it is empty) and print previews (kept
// open until the test closes them). Installed for the life of the object.
#include <QObject>
#include <QPointer>
#include <deque>
#include <vector>

#include "controls/Dialogs.h"

class RecordingDialogs : public Dialogs::Responder {
 public:
  struct Shown {
    QWidget* owner;
    QString text;
    QString title;
    Dialogs::Icon icon;
  };

  RecordingDialogs() { Dialogs::SetResponder(this); }
  ~RecordingDialogs() override {
    Dialogs::SetResponder(nullptr);
    for (size_t i = 0; i < previews.size(); ++i) ClosePreview(i);
  }

  std::vector<Shown> messages;
  std::deque<Dialogs::FileResult> fileAnswers;
  std::vector<Dialogs::PreviewRequest> previews;
  // Each preview's keeper while the preview is open; null once it is freed.
  std::vector<QPointer<QObject>> keepers;

  void Message(QWidget* owner, const QString& text, const QString& title,
               Dialogs::Icon icon) override {
    messages.push_back({owner, text, title, icon});
  }
  Dialogs::FileResult File(const Dialogs::FileRequest&) override {
    if (fileAnswers.empty()) return {};
    Dialogs::FileResult answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
  }
  void Modal(QWidget*) override {}
  void Preview(const Dialogs::PreviewRequest& request) override {
    previews.push_back(request);
    keepers.emplace_back(request.keeper);
  }

  // As the preview window does when it closes.
  void ClosePreview(size_t i) { delete keepers[i].data(); }
};
