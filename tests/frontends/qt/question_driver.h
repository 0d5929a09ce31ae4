#pragma once

// A question dialog runs its own event loop and blocks the test until it is
// closed, so a test says beforehand what to do with it once it is open.

#include <functional>

#include "question_dialog.h"

namespace flyback {

using QuestionAction = std::function<void(QuestionDialog& dialog)>;

// Runs `action` on the next question dialog as soon as it is open. The
// action must close the dialog (or arrange for it to be closed).
void OnNextQuestion(QuestionAction action);

// Closes the dialog with the key `key` sent to its input field (Return,
// Escape), the way the user's key press arrives.
void PressKey(QuestionDialog& dialog, Qt::Key key);

}  // namespace flyback
