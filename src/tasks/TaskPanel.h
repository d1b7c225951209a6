// One task panel of the main window: a child window that carries out one or more tasks (each named
// by its task code) and shows in the area of the tab lists while its task is open.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "suite/RecentDocuments.h"

namespace tasks {

// What opening a panel for a task came to.
enum class OpenOutcome {
  kShown,
  kNoApplication,  // no installed application can carry the task out; the caller says so
  kFailed,         // the panel could not be prepared and has told the user itself
};

// What the main window does with a message of its loop that the open panel was offered first.
enum class MessageRoute {
  kUnhandled,  // the window's own keyboard rules apply
  kConsumed,   // the panel dealt with it; nothing else sees it
  kDispatch,   // it goes on as it is, past the window's keyboard rules
};

class TaskPanel {
 public:
  TaskPanel() = default;
  TaskPanel(const TaskPanel&) = delete;
  TaskPanel& operator=(const TaskPanel&) = delete;
  virtual ~TaskPanel() = default;

  // Creates the panel's window, hidden, as a child of `parent` with its top left corner at `at`.
  // False when it cannot be made; the panel is then never opened.
  [[nodiscard]] virtual bool Create(HWND parent, POINT at) = 0;
  // Prepares the panel for `taskCode` with the application tokens of the chosen command (empty for
  // commands without one) and shows it. Unless it is shown, the panel stays hidden.
  [[nodiscard]] virtual OpenOutcome Open(int taskCode, std::wstring_view appTokens) = 0;
  virtual void Hide() = 0;
  [[nodiscard]] virtual HWND Window() const noexcept = 0;

  // Puts what the panel remembers for its tasks into the task settings; called before they are
  // saved when the main window closes.
  virtual void SaveSettings() {}
  // Every message of the main window's loop while the panel shows, before the window's keyboard rules
  // (Tab walks the controls, Escape goes back, Enter goes to the control that has the focus). Named apart
  // from a dialog's PreTranslateMessage, which a panel that is a dialog inherits with the same parameters and
  // another result.
  virtual MessageRoute RouteMessage(MSG& message) {
    (void)message;
    return MessageRoute::kUnhandled;
  }
  // A document dropped onto the main window while the panel shows; false when the panel has no
  // document field.
  virtual bool TakeDocument(const std::wstring& document) {
    (void)document;
    return false;
  }
  // Text to work on, given on the command line; false when the panel has no text field.
  virtual bool TakeText(const std::wstring& text) {
    (void)text;
    return false;
  }
  // Hands `entry` over again as it was: its document, application, direction and profile. False when
  // the panel could not choose them all (one is no longer there); it then shows what it could fill in.
  virtual bool HandOverAgain(const suite::RecentDocument& entry) {
    (void)entry;
    return false;
  }
  // Another suite program switched add-ins on or off.
  virtual void OnPluginsSwitched() {}
  // Another suite program changed the translation-memory databases.
  virtual void OnMemoriesChanged() {}
};

}  // namespace tasks
