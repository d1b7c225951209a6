// The window messages private to Startdeck's windows, all of them here so that no two share a
// number. Numbers above WM_USER are private to one window class. The main window's are in WM_USER's
// range and keep their numbers: other processes post it the plug-ins manager's request (WM_USER + 19),
// as the suite's documents name it. Dialogs answer DM_ messages in that range, so the panels' own
// messages, and the one that reaches every child window, are in WM_APP's, which no system control
// class uses.
#pragma once

#include <windows.h>

#include <algorithm>
#include <array>

namespace app {

// A list row was chosen. wParam: the row; lParam: the identifier of the list.
inline constexpr UINT kListRowChosenMessage = WM_USER + 13;
// A ribbon tab is being left. wParam: the tab's button ID.
inline constexpr UINT kTabLeftMessage = WM_USER + 14;
// A ribbon tab is being entered (only after another one was left). wParam: the tab's button ID.
inline constexpr UINT kTabEnteredMessage = WM_USER + 15;
// The pointer moved onto a list row. wParam: the row.
inline constexpr UINT kListRowHoveredMessage = WM_USER + 17;
// Return from a task panel to its tab's list, as the Back button does (a selected ribbon tab sends
// it when it is clicked again).
inline constexpr UINT kBackMessage = WM_USER + 18;
// Start the suite's plug-ins manager.
inline constexpr UINT kPluginsManagerMessage = WM_USER + 19;
// The window has been shown: what its first paint does not need is made now. Posted to itself.
inline constexpr UINT kAfterFirstPaintMessage = WM_USER + 20;
// The window was activated again (a box it owned closed): the focus is checked once the system has
// given it back. Posted to itself.
inline constexpr UINT kCheckFocusMessage = WM_USER + 21;
// The window is laid out at another DPI (it moved to another monitor, or the display scale changed).
// Sent by the main window to itself and to every window below it, parents before their children,
// once the shared graphics hold the fonts and pictures of the new scale. wParam: the new skin DPI.
// Every window that places, sizes or measures anything lays itself out again at that scale. In
// WM_APP's range, which no system control class uses, because it reaches every child window.
inline constexpr UINT kApplyScaleMessage = WM_APP + 0x23;
// A request of the command line (this start's, or a later start's that it handed over) is carried
// out now. Posted to itself.
inline constexpr UINT kStartRequestMessage = WM_USER + 22;
// WM_COPYDATA's dwData for a later start's command line handed to the running window: its UTF-16
// text, program name first, as GetCommandLineW gives it.
inline constexpr ULONG_PTR kCommandLineData = 0x5344434C;  // "SDCL"
// What the user does with the recent documents' list: wParam a ui::skin::RecentListAction, lParam
// the row (-1 for none). Posted by the list to the main window.
inline constexpr UINT kRecentListMessage = WM_USER + 23;
// A hand-off wrote the recent documents: what shows them reads them again. Posted to the main window.
inline constexpr UINT kRecentDocumentsChangedMessage = WM_USER + 24;
// The web-service exchange's thread has ended.
inline constexpr UINT kWebServiceEndedMessage = WM_USER + 0xC00;

// A hand-off watch's wait has ended. Posted by the thread pool to the watch's message-only window:
// wParam the watch's id, lParam 1 when the limit passed first.
inline constexpr UINT kHandOffWaitEndedMessage = WM_APP + 1;
// An HTML page has been shown: it paints now rather than when the queue gets round to it. Posted to
// itself.
inline constexpr UINT kHtmlPageRepaintMessage = WM_APP + 2;
// The quick translation's next slice. Posted to the panel itself while no input or painting waits.
inline constexpr UINT kNextSliceMessage = WM_APP + 0x40;

// Each window sees its own messages and kApplyScaleMessage, so every number here is its own.
inline constexpr std::array kPrivateMessages = {
    kListRowChosenMessage, kTabLeftMessage,         kTabEnteredMessage,       kListRowHoveredMessage,
    kBackMessage,          kPluginsManagerMessage,  kAfterFirstPaintMessage,  kCheckFocusMessage,
    kApplyScaleMessage,    kWebServiceEndedMessage, kHandOffWaitEndedMessage, kHtmlPageRepaintMessage,
    kNextSliceMessage,     kStartRequestMessage,    kRecentListMessage,       kRecentDocumentsChangedMessage};
static_assert(
    [] {
      std::array sorted = kPrivateMessages;
      std::ranges::sort(sorted);
      return std::ranges::adjacent_find(sorted) == sorted.end();
    }(),
    "two private messages share a number");

}  // namespace app
