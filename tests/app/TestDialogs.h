#pragma once
// Answers the program's message boxes, file dialogs and modal windows in tests, and
// records what was asked.
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
};
