#pragma once
// Character translations of the hex view: what a byte shows in the character area and
// what byte a typed character becomes. The display code page is Windows-1251, the DOS
// code page CP866.

#include <cstdint>
#include <optional>

namespace morvane::hexview {

enum TTranslationType { ttAnsi, ttDos8, ttASCII, ttMac, ttEBCDIC };

char32_t AnsiToUnicode(uint8_t b); // Windows-1251; 0 where the code page has no character
std::optional<uint8_t> UnicodeToAnsi(char32_t ch);
char32_t DosToUnicode(uint8_t b); // CP866
std::optional<uint8_t> UnicodeToDos(char32_t ch);

// The byte shown for a Mac byte from 0x80 up, and its inverse.
uint8_t MacToDisplay(uint8_t mac);
uint8_t DisplayToMac(uint8_t display);
// The display byte of an EBCDIC byte, 0 where it has none.
uint8_t EbcdicToDisplay(uint8_t ebcdic);
std::optional<uint8_t> DisplayToEbcdic(uint8_t display);

// The character the character cell of byte b shows.
char32_t DisplayChar(uint8_t b, TTranslationType t, bool maskWhiteSpaces, char32_t maskChar);
// The byte a typed character becomes, or nothing when the translation refuses it.
std::optional<uint8_t> InputByte(char32_t ch, TTranslationType t);
// A character entered by its code on the numeric keypad: display code page to DOS,
// whatever the translation, control characters included.
std::optional<uint8_t> AltKeypadByte(char32_t ch);

} // namespace morvane::hexview
