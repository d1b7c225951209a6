// Resource IDs of the component's program.
#pragma once

#define IDD_INITIALISE 101
#define IDC_INITIALISE_TEXT 1001
