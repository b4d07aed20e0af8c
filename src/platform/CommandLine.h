#pragma once

#include <string>
#include <string_view>
#include <vector>

// Parameter strings as the desktop platform's C runtime reads them, so an
// activity receives the very arguments the shell meant. Pure logic.
namespace platform::command_line {

// Splits at spaces and tabs outside double quotes. Backslashes are literal
// unless they precede a double quote: 2n backslashes and a quote give n
// backslashes and toggle quoting, 2n+1 give n backslashes and a literal
// quote. Inside quotes, two quotes in a row give one literal quote.
std::vector<std::string> split(std::string_view parameters);

// One argument written so that split() gives it back unchanged.
std::string quote(std::string_view argument);

// The arguments quoted and joined by single spaces.
std::string join(std::vector<std::string> const& arguments);

}
