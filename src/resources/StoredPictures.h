#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// Pictures kept with the forms' design, drawn at build time and embedded in
// the binary. Names are file names such as "backimage.jpg".
namespace resources {

// Empty when no picture of that name was stored.
std::span<const std::uint8_t> stored_picture(std::string_view name);

}
