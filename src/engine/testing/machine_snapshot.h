#ifndef XA_ENGINE_TESTING_MACHINE_SNAPSHOT_H_
#define XA_ENGINE_TESTING_MACHINE_SNAPSHOT_H_

#include <string>
#include <vector>

namespace xa {

// One line for every folder and file below each of `folders` (each folder itself included, or
// a line saying it is missing), sorted: the path, and for a file its size, a digest of its
// bytes, its attributes, its last-write time and, when `creation_times`, its creation time.
// Two snapshots are equal when nothing below the folders changed but last-access times and
// the folders' own times.
std::vector<std::string> SnapshotFolders(const std::vector<std::string>& folders,
                                         bool creation_times);

// One line for the key `path` below HKEY_LOCAL_MACHINE (or a line saying it is missing), every
// value with its type and data, and every subkey in the same way, sorted.
std::vector<std::string> SnapshotMachineKey(const std::string& path);

}  // namespace xa

#endif  // XA_ENGINE_TESTING_MACHINE_SNAPSHOT_H_
