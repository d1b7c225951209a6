// Resource and control IDs of the substitute's window; tests read its controls by these IDs.
#pragma once

#define IDD_SUITEAPP 100

#define IDC_NAME 1001
#define IDC_APP_ID 1002
#define IDC_EXECUTABLE 1003
#define IDC_COMMAND_LINE 1004
#define IDC_WORKING_FOLDER 1005
#define IDC_RECORD 1006
#define IDC_RECORD_LOCATION 1007
#define IDC_JOURNAL 1008
// Shown only when the program was started with /WaitForServerExit.
#define IDC_WAIT_NOTE 1009
// The Close button is IDCANCEL, so Esc, Alt+F4 and the button all end the program the same way.
