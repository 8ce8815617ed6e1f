// How the calculators show numbers: the general format with up to 15
// significant digits, and whole numbers rounded half to even.
#pragma once

#include <string>

namespace mv {

// "5", "27,3239544735163", "1,5E20"; `decimal` is the system's separator.
std::string FormatGeneral(long double value, char decimal);
// Nearest integer, halves to the even neighbour.
std::string FormatRounded(long double value);

}  // namespace mv
