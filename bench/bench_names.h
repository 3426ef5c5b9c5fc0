#pragma once

namespace zonora::bench {

// Names under which the benchmarks run; the summary pairs them by these.
inline constexpr const char* kReadZoneTable = "read zone table";
inline constexpr const char* kWriteMapFile = "write Map file";
inline constexpr const char* kScanMapFile = "scan Map file";
inline constexpr const char* kPdbToMap = "PdbToMap";
inline constexpr const char* kMapToPdb = "MapToPdb";

inline constexpr const char* kFloorRead = "floor: open, read 514 B, close";
inline constexpr const char* kFloorWrite = "floor: write 1.5 KB, fsync, rename";
inline constexpr const char* kFloorCopy = "floor: copy 3 KB, fsync, rename";

}  // namespace zonora::bench
