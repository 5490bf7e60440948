#ifndef XA_RES_RESOURCE_IDS_H_
#define XA_RES_RESOURCE_IDS_H_

// Numeric ids of the wizard program's resources; shared by the resource script and the code,
// so plain macros that the resource compiler understands.

// The application icon; the lowest id, so the shell shows it for the program file.
#define IDI_XASETUP 1

// Every picture is drawn for the display scales 100, 150 and 200 %: the id below is the one at
// 100 %, and IDB_VARIANT_STEP more and twice that more are the ones at 150 and 200 %.
#define IDB_VARIANT_STEP 1000

// The 48 x 48 24-bit header pictures, one per interior page (72 and 96 pixels at 150, 200 %).
#define IDB_HEADER_INFO 101
#define IDB_HEADER_LICENSE 102
#define IDB_HEADER_FOLDER 103
#define IDB_HEADER_READY 104
#define IDB_HEADER_PROGRESS 105
#define IDB_HEADER_NEWS 106
#define IDB_HEADER_INFO_150 1101
#define IDB_HEADER_LICENSE_150 1102
#define IDB_HEADER_FOLDER_150 1103
#define IDB_HEADER_READY_150 1104
#define IDB_HEADER_PROGRESS_150 1105
#define IDB_HEADER_NEWS_150 1106
#define IDB_HEADER_INFO_200 2101
#define IDB_HEADER_LICENSE_200 2102
#define IDB_HEADER_FOLDER_200 2103
#define IDB_HEADER_READY_200 2104
#define IDB_HEADER_PROGRESS_200 2105
#define IDB_HEADER_NEWS_200 2106

// The 16 x 16 glyph of the add-a-folder button (24 and 32 pixels at 150, 200 %).
#define IDB_ADD_FOLDER_GLYPH 110
#define IDB_ADD_FOLDER_GLYPH_150 1110
#define IDB_ADD_FOLDER_GLYPH_200 2110

#endif  // XA_RES_RESOURCE_IDS_H_
