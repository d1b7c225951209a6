// The plug-ins manager's own strings. Its resources also carry every string of the start centre's
// language (StringIds.h), for the switches' messages and the administrator question: these numbers
// stay clear of those.
#pragma once

#define IDS_PM_INTRO 20001
#define IDS_PM_APPLY 20002
#define IDS_PM_CLOSE 20003
#define IDS_PM_NOT_SWITCHABLE 20004  // %s: the application's display name
#define IDS_PM_NO_HOSTS 20005
#define IDS_PM_APPLIED 20006
#define IDS_PM_NOT_APPLIED 20007
