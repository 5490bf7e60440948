#ifndef XA_RES_RESOURCE_IDS_H_
#define XA_RES_RESOURCE_IDS_H_

// Numeric ids of the wizard program's resources; shared by the resource script and the code,
// so plain macros that the resource compiler understands.

// The application icon; the lowest id, so the shell shows it for the program file.
#define IDI_XASETUP 1

// The 48 x 48 24-bit header pictures, one per interior page.
#define IDB_HEADER_INFO 101
#define IDB_HEADER_LICENSE 102
#define IDB_HEADER_FOLDER 103
#define IDB_HEADER_READY 104
#define IDB_HEADER_PROGRESS 105
#define IDB_HEADER_NEWS 106

// The 16 x 16 glyph of the add-a-folder button.
#define IDB_ADD_FOLDER_GLYPH 110

#endif  // XA_RES_RESOURCE_IDS_H_
