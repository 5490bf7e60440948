#ifndef XA_XAPACK_MANIFEST_DRAFT_H_
#define XA_XAPACK_MANIFEST_DRAFT_H_

#include <string>
#include <string_view>

#include "xapack/data_folder_scan.h"

namespace xa::xapack {

// `text` as a TOML basic string in quotes, with quotes, backslashes and control characters
// escaped.
std::string TomlQuoted(std::string_view text);

// `text` for a comment line: control characters and bytes that are not UTF-8 as \xNN, so that
// the comment stays one line of UTF-8.
std::string CommentText(std::string_view text);

// The UTF-8 text of a commented manifest for the files `scan` found in the folder
// `folder_name` (UTF-8), which lies beside the manifest, so that every source path starts
// with the folder's name: [program] with the folder's name as the program's name, version 1.0,
// the documents and banner found and the other keys as comments to fill in; one [[file]] table
// per package file; the skipped files with their reasons as comments at the end.
std::string DraftManifest(const std::string& folder_name, const DataFolderScan& scan);

}  // namespace xa::xapack

#endif  // XA_XAPACK_MANIFEST_DRAFT_H_
