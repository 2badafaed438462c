#pragma once
// The texts of a person are UTF-8 without NUL bytes: the store refuses anything else, so that
// every person it holds can be written out as a card and read back.
#include "addressbook/AddressBook.h"

#include <string>
#include <string_view>

namespace ab {

// The length in bytes of the valid character that text starts with; 0 when it starts with a NUL,
// a byte that is not UTF-8 or an incomplete character.
size_t character_length(std::string_view text);
// True for UTF-8 text (no overlong forms, surrogates or code points past U+10FFFF) without NUL.
bool is_valid_text(std::string_view text);
// The text with each byte that is not part of valid text (and each NUL) replaced by U+FFFD.
std::string valid_text(std::string_view text);
// What the first text of the person that is not valid is ("first name", "phone label"...);
// nullptr when every text is valid.
const char* invalid_text_field(const Person& person);
// Makes every text of the person valid by valid_text.
void make_texts_valid(Person& person);

} // namespace ab
