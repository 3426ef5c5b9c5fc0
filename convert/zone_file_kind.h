#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace zonora {

enum class ZoneFileKind { Pdb, Map };

// How many of a file's first bytes tell its kind: room for the header of any
// name a PDB can carry, even in UTF-16.
inline constexpr std::size_t kKindBytes = 2 * 4096 + 2;

// A file with a name: a Map when it is named .map (in any case) or when its
// first line, read as the scanner reads it, is a Map header; anything else is
// taken for a PDB, which reading it checks. start holds its first kKindBytes
// bytes, or all when it is shorter.
ZoneFileKind zoneFileKind(std::string_view path, std::span<const std::uint8_t> start);

// A file without a name, such as standard input: a Map when it is text, that
// is when it begins with a UTF-16 mark or holds no NUL in its first 32 bytes,
// where a database keeps its NUL-ended name; a PDB otherwise.
ZoneFileKind zoneFileKind(std::span<const std::uint8_t> start);

// The kind of the file at path by the first rule; a file that cannot be read
// is a PDB by that rule unless named .map, and reading it will say why.
ZoneFileKind zoneFileKind(const std::string& path, FileSystem& files);

// The first kKindBytes bytes of an open file (fewer when it is shorter), read
// without moving where read() goes on.
std::vector<std::uint8_t> firstBytes(InputFile& file);

}  // namespace zonora
