#pragma once
// A stored photo that was made from a sender's picture carries the SHA-256 of the sender's bytes
// in a PNG text chunk, so the same picture sent again is recognised from its bytes alone: a sync
// that changes nothing decodes nothing.
#include "addressbook/AddressBook.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace contacts {

// The digest, in hexadecimal, of a sender's photo bytes.
std::string photo_source_digest(const std::vector<uint8_t>& sender);

// Adds the digest to a PNG as a text chunk right after its header.
void add_photo_source(std::vector<uint8_t>& png, const std::string& digest);

// The digest a stored PNG carries, read by walking its chunks up to its pixels (none decoded);
// nullopt for a photo without one.
std::optional<std::string> photo_source_of(const std::vector<uint8_t>& stored);

// The stored photos that carry a digest, by digest. Points into the persons, which outlive it.
using PhotosBySource = std::unordered_map<std::string, const std::vector<uint8_t>*>;
PhotosBySource photos_by_source(const std::vector<ab::Person>& persons);

} // namespace contacts
