#pragma once
// Names in the account file. The game may give the platform any bytes as a
// statistic's or an achievement's name, and the account keeps them as they
// are; JSON text must be UTF-8, so a name is written as its UTF-8 characters,
// with every byte that is not part of one (and every byte of a character of
// U+10FF80 to U+10FFFF) as the character U+10FF00 plus the byte. Reading
// turns those characters back into their bytes, so a written name reads back
// byte for byte, and names that are UTF-8 (all that a file's author types)
// read and write unchanged.
#include <string>

namespace qz::sim {

std::string NameToFile(const std::string& name);
std::string NameFromFile(const std::string& text);

}  // namespace qz::sim
