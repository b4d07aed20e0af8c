// Feeds arbitrary bytes to one picture decoder (chosen at build time with
// -DDECODER=decode_png or decode_jpeg). A file it cannot use must end in a
// DecodeError, never a crash, a hang or a broken picture.
#include "platform/ImageDecoder.h"

#include <cstdint>
#include <cstdlib>

#ifndef DECODER
#error "build with -DDECODER=decode_png or -DDECODER=decode_jpeg"
#endif

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

}

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    try {
        platform::Bitmap const picture = platform::DECODER({ data, size });
        check(!picture.empty() && picture.width <= 8192 && picture.height <= 8192);
        check(picture.pixels.size() == std::size_t(picture.width) * std::size_t(picture.height));
    } catch (platform::DecodeError const& error) {
        check(error.what()[0] != '\0');
    }
    return 0;
}
