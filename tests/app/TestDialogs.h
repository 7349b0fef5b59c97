#pragma once
// Answers the program's message boxes, file dialogs, modal windows and print previews in
// tests, and records what was asked. Previews stay open until the test closes them.
#include <QObject>
#include <QPointer>
#include <deque>
#include <functional>
#include <vector>

#include "controls/Dialogs.h"

class TestDialogs : public Dialogs::Responder {
 public:
  struct Shown {
    QWidget* owner;
    QString text;
    QString title;
    Dialogs::Icon icon;
  };

  std::vector<Shown> messages;
  std::vector<Dialogs::FileRequest> fileRequests;
  // Answers for the next file dialogs, in order; an empty queue cancels.
  std::deque<Dialogs::FileResult> fileAnswers;
  // Runs while a modal window is up; the window is hidden afterwards.
  std::function<void(QWidget*)> onModal;
  // Runs while a message box is up (after it has been recorded).
  std::function<void()> onMessage;
  std::vector<QWidget*> modals;
  std::vector<Dialogs::PreviewRequest> previews;
  // Each preview's keeper while the preview is open; null once it is freed.
  std::vector<QPointer<QObject>> previewKeepers;

  ~TestDialogs() override {
    for (size_t i = 0; i < previewKeepers.size(); ++i) ClosePreview(i);
  }

  void AnswerFile(const QString& path, int filterIndex = 1) {
    fileAnswers.push_back({true, path, filterIndex});
  }

  void Message(QWidget* owner, const QString& text, const QString& title,
               Dialogs::Icon icon) override {
    messages.push_back({owner, text, title, icon});
    if (onMessage) onMessage();
  }

  Dialogs::FileResult File(const Dialogs::FileRequest& request) override {
    fileRequests.push_back(request);
    if (fileAnswers.empty()) return {};
    Dialogs::FileResult answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
  }

  void Modal(QWidget* form) override {
    modals.push_back(form);
    if (onModal) onModal(form);
  }

  void Preview(const Dialogs::PreviewRequest& request) override {
    previews.push_back(request);
    previewKeepers.emplace_back(request.keeper);
  }
  // As the preview window does when it closes.
  void ClosePreview(size_t i) { delete previewKeepers[i].data(); }
};
