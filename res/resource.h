// Identifiers of the program's resources and controls.
#pragma once

#define IDD_MANUAL_DIALOG 100
#define IDS_ABOUTBOX 101
#define IDD_BATCHNAME_DIALOG 102
#define IDR_MAINFRAME 128
