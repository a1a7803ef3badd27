#pragma once

// Resource symbols: dialog templates, strings, the icon, the system-menu command and the
// controls of the dialogs.

constexpr int IDD_ABOUTBOX = 100;
constexpr int IDS_ABOUTBOX = 101;
constexpr int IDD_MAIN_DIALOG = 102;
constexpr int IDR_MAINFRAME = 128;
constexpr int IDD_PROGRESS_DIALOG = 129;
constexpr int IDS_NO_DISPLAY = 130;

constexpr int IDM_ABOUTBOX = 0x0010;

constexpr int IDC_STATIC = -1;

// Main dialog.
constexpr int IDC_ADD = 3;
constexpr int IDC_REMOVE = 4;
constexpr int IDC_MOVE_UP = 5;
constexpr int IDC_MOVE_DOWN = 6;
constexpr int IDC_ADD_FOLDER = 7;
constexpr int IDC_INPUT_LIST = 1000;
constexpr int IDC_MERGE = 1001;
constexpr int IDC_OUTPUT_FILE = 1002;
constexpr int IDC_SELECT_OUTPUT = 1003;
constexpr int IDC_CURRENT_SELECTION = 1004;
constexpr int IDC_FILE_SIZE = 1005;
constexpr int IDC_SUMMARY = 1006;
constexpr int IDC_EACH_RECORDING = 1007;
constexpr int IDC_VERIFY = 1008;

// Progress dialog.
constexpr int IDC_PROGRESS = 1004;
constexpr int IDC_STATUS = 1005;
constexpr int IDC_CANCEL_MERGE = 1006;
constexpr int IDC_PROGRESS_FILE = 1007;
constexpr int IDC_PROGRESS_AMOUNTS = 1008;
constexpr int IDC_PROGRESS_RECORDING = 1009;
