// Resource ids of the screensaver program itself.
#pragma once

#define IDI_PROGRAM 1
#define IDS_DESCRIPTION 1
