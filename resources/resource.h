// Every resource, menu command, control and string id of the program.
#pragma once

// Dialogs
#define IDD_ABOUT 107
#define IDD_SETTINGS 108

// Icons: the girl's face (the program's icon) and the About box's second picture
#define IDI_PELIO 115
#define IDI_ABOUT_BADGE 116

// Menu commands of the popup menu
#define IDM_SETTINGS 200
#define IDM_ABOUT 201
#define IDM_EXIT 204

// Settings dialog controls (OK and Cancel are IDOK and IDCANCEL)
#define IDC_BROWSE 3
#define IDC_REGISTER 5
#define IDC_DELETE 6
#define IDC_SOUND_FILE 1005
#define IDC_ALARM_LIST 1016
#define IDC_HOUR_BOX 1018
#define IDC_MINUTE_BOX 1019
#define IDC_MINUTE_ARROWS 1023
#define IDC_HOUR_ARROWS 1024
#define IDC_USE_DIRECTSOUND 1031
#define IDC_ALARM_ON 1032
#define IDC_ON_TOP 1033

// Strings: the sound file chooser's filter
#define IDS_WAVE_FILTER_NAME 8212
#define IDS_WAVE_FILTER_PATTERN 8213
