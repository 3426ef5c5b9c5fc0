#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace zonora::bench {

// The bare system calls behind each floor, one source per system, so that
// the floors' loops are the same everywhere. Paths are UTF-8.

// Opens the file, reads from its start into buffer and closes it: the bytes
// read, or -1 when a call failed.
long long openReadClose(const std::string& path, std::span<std::uint8_t> buffer);

// Writes the bytes to the new file temporary, makes them durable, closes it
// and renames it over target, as durably as the file layer replaces a file
// (POSIX: the folder is synced too). False when a call failed.
bool replaceDurably(const std::string& folder, const std::string& temporary,
                    const std::string& target, std::span<const std::uint8_t> bytes);

}  // namespace zonora::bench
