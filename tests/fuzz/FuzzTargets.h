#pragma once

#include <cstddef>
#include <cstdint>

// Entry points for the fuzzers and for the corpus replay test. Each one feeds bytes from
// outside (a backup file, a directory answer, a tree listing, a name, a lock file) to the program's
// reader and aborts when a property that must hold for every input does not; the skill scanner
// and the SKILL.md reader take what a stranger's skill holds.
namespace FuzzTargets {

void backupDocument(const std::uint8_t* data, std::size_t size);
void searchResponse(const std::uint8_t* data, std::size_t size);
void treeListing(const std::uint8_t* data, std::size_t size);
void itemName(const std::uint8_t* data, std::size_t size);
void lockFile(const std::uint8_t* data, std::size_t size);
// Any bytes as a skill's script and as its SKILL.md: the audit ends, and every finding names a
// line inside the file and text of a readable length. Run with -max_len=4194304.
void skillScan(const std::uint8_t* data, std::size_t size);
void skillFrontmatter(const std::uint8_t* data, std::size_t size);

} // namespace FuzzTargets
