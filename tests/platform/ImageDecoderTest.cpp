#include "framework/TPicture.h"
#include "platform/ImageDecoder.h"
#include "resources/StoredPictures.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::uint8_t> stored(char const* name)
{
    auto data = resources::stored_picture(name);
    return { data.begin(), data.end() };
}

}

TEST(ImageDecoder, DecodesTheStoredPictures)
{
    auto jpeg = platform::decode_jpeg(stored("backimage.jpg"));
    EXPECT_EQ(jpeg.width, 800);
    EXPECT_EQ(jpeg.height, 600);
    EXPECT_EQ(jpeg.at(10, 10) >> 24, 0xffu);
    auto png = platform::decode_png(stored("cursor31.png"));
    EXPECT_EQ(png.width, 32);
    EXPECT_EQ(png.at(31, 0) >> 24, 0u) << "the corner of the hand is transparent";
}

TEST(ImageDecoder, BrokenFilesRaiseInsteadOfEndingTheProcess)
{
    auto jpeg = stored("backimage.jpg");
    auto png = stored("cursor31.png");
    std::vector<std::uint8_t> garbage(4096, 0x5a);
    EXPECT_THROW(platform::decode_jpeg(garbage), platform::DecodeError);
    EXPECT_THROW(platform::decode_png(garbage), platform::DecodeError);
    EXPECT_THROW(platform::decode_jpeg({ jpeg.data(), jpeg.size() / 2 }), platform::DecodeError);
    EXPECT_THROW(platform::decode_png({ png.data(), png.size() / 2 }), platform::DecodeError);
    EXPECT_THROW(platform::decode_jpeg({ jpeg.data(), 0 }), platform::DecodeError);
    EXPECT_THROW(platform::decode_png({ png.data(), 20 }), platform::DecodeError);
}

TEST(ImageDecoder, PictureLoadingReportsClearErrors)
{
    TempFolder t;
    TPicture picture;
    auto expect_error = [&](std::string const& path, std::string const& part) {
        try {
            picture.LoadFromFile(path);
            ADD_FAILURE() << path << " loaded";
        } catch (std::exception const& e) {
            EXPECT_NE(std::string(e.what()).find(part), std::string::npos) << e.what();
        }
    };
    expect_error(t.path() + "missing.jpg", "Cannot open file");
    expect_error(t.write("empty.jpg"), "empty");
    expect_error(t.write("text.png", "not a picture at all"), "Unknown picture file format");
    auto jpeg = stored("backimage.jpg");
    expect_error(t.write("cut.jpg", std::string(jpeg.begin(), jpeg.begin() + 2000)), "JPEG");
    EXPECT_TRUE(picture.empty()) << "a failed load keeps the old graphic";
    t.write("Good.JPG", std::string(jpeg.begin(), jpeg.end()));
    picture.LoadFromFile(t.path() + "good.jpg");
    EXPECT_EQ(picture.Width(), 800);
}

namespace {

std::uint32_t crc32(std::uint8_t const* data, std::size_t size)
{
    std::uint32_t crc = 0xffffffffu;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int shift : { 24, 16, 8, 0 })
        out.push_back(std::uint8_t(v >> shift));
}

// A PNG signature and a valid header chunk claiming the given size, and no
// pixel data at all.
std::vector<std::uint8_t> png_header_only(std::uint32_t width, std::uint32_t height)
{
    std::vector<std::uint8_t> png = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n' };
    std::vector<std::uint8_t> chunk = { 'I', 'H', 'D', 'R' };
    put32(chunk, width);
    put32(chunk, height);
    chunk.insert(chunk.end(), { 8, 6, 0, 0, 0 });
    put32(png, 13);
    png.insert(png.end(), chunk.begin(), chunk.end());
    put32(png, crc32(chunk.data(), chunk.size()));
    return png;
}

}

TEST(ImageDecoder, AHugeClaimedSizeIsRefusedBeforeAnyPixelIsReserved)
{
    EXPECT_THROW(platform::decode_png(png_header_only(100000, 100000)), platform::DecodeError);
    EXPECT_THROW(platform::decode_png(png_header_only(64, 64)), platform::DecodeError) << "no image data";
}

TEST(ImageDecoder, AChunkClaimingMoreBytesThanTheFileHoldsIsRefusedUnread)
{
    auto png = stored("cursor31.png");
    auto after_header = png.begin() + 8 + 12 + 13;
    std::vector<std::uint8_t> text = { 'd', 'a', 't', 'e', 0, '2', '0', '2', '6' };
    std::vector<std::uint8_t> claim;
    put32(claim, 0x7abb0025u);
    claim.insert(claim.end(), { 't', 'E', 'X', 't' });
    claim.insert(claim.end(), text.begin(), text.end());
    std::vector<std::uint8_t> spoilt(png.begin(), after_header);
    spoilt.insert(spoilt.end(), claim.begin(), claim.end());
    spoilt.insert(spoilt.end(), after_header, png.end());
    try {
        platform::decode_png(spoilt);
        ADD_FAILURE() << "a 2 GB text chunk in a small file was accepted";
    } catch (platform::DecodeError const& e) {
        EXPECT_NE(std::string(e.what()).find("past the end"), std::string::npos) << e.what();
    }

    std::vector<std::uint8_t> trailing(png.begin(), png.end());
    trailing.insert(trailing.end(), { 0xde, 0xad, 0xbe, 0xef, 0xff });
    EXPECT_EQ(platform::decode_png(trailing).width, 32) << "bytes after the end chunk are not a chunk";
}

TEST(ImageDecoder, PictureSizeComesFromTheHeaderAlone)
{
    auto jpeg = stored("backimage.jpg");
    auto png = stored("cursor31.png");
    // Cut after the headers: the size is there, the pixels are not.
    auto jpeg_size = platform::picture_size({ jpeg.data(), 2000 });
    EXPECT_EQ(jpeg_size.width, 800);
    EXPECT_EQ(jpeg_size.height, 600);
    auto png_size = platform::picture_size({ png.data(), 40 });
    EXPECT_EQ(png_size.width, 32);
    EXPECT_EQ(png_size.height, 32);
    std::vector<std::uint8_t> garbage(64, 0x5a);
    EXPECT_THROW(platform::picture_size(garbage), platform::DecodeError);
    EXPECT_THROW(platform::picture_size({ png.data(), 12 }), platform::DecodeError);
    EXPECT_THROW(platform::picture_size({ jpeg.data(), 4 }), platform::DecodeError);
}

TEST(ImageDecoder, LastingPicturesDecodeWhenDrawnAndShareOneCopy)
{
    auto data = resources::stored_picture("backimage.jpg");
    TPicture a, b;
    int changes = 0;
    a.OnChange = [&](TObject*) { ++changes; };
    a.load_lasting_data(data);
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(a.empty());
    EXPECT_EQ(a.Width(), 800);
    EXPECT_EQ(a.Height(), 600);
    EXPECT_EQ(a.format(), platform::ImageFormat::Jpeg);
    b.Assign(&a);
    ASSERT_NE(a.Graphic(), nullptr);
    EXPECT_EQ(a.Graphic(), b.Graphic()) << "one decoded copy for both";
    EXPECT_EQ(a.Graphic()->width, 800);
    TPicture later;
    later.load_lasting_data(data);
    EXPECT_EQ(later.Graphic(), a.Graphic()) << "a copy still in use is found again";
    a.Clear();
    EXPECT_TRUE(a.empty());
    EXPECT_EQ(a.Width(), 0);
    EXPECT_EQ(a.Graphic(), nullptr);
    EXPECT_NE(b.Graphic(), nullptr) << "clearing one leaves the other";
    platform::Bitmap small(3, 2, 0);
    b.set_bitmap(small);
    EXPECT_EQ(b.Width(), 3) << "a bitmap set later replaces the lasting picture";
    EXPECT_EQ(b.Graphic()->height, 2);
}

TEST(ImageDecoder, ASpoiltLastingPictureDrawsAsNothing)
{
    auto png = stored("cursor31.png");
    std::vector<std::uint8_t> spoilt(png.begin(), png.begin() + 60);
    TPicture picture;
    picture.load_lasting_data(spoilt);
    EXPECT_EQ(picture.Width(), 32) << "the header was whole";
    ASSERT_NE(picture.Graphic(), nullptr);
    EXPECT_TRUE(picture.Graphic()->empty());
    std::vector<std::uint8_t> garbage(64, 0x5a);
    EXPECT_THROW(picture.load_lasting_data(garbage), platform::DecodeError);
}

TEST(ImageDecoder, APictureDecodedAheadDrawsAsOneDecodedWhenDrawn)
{
    auto data = resources::stored_picture("denke_ovr.png");
    platform::Bitmap const direct = platform::decode_picture(data);
    TPicture::decode_ahead(data);
    TPicture::decode_ahead(data);
    TPicture picture;
    picture.load_lasting_data(data);
    ASSERT_NE(picture.Graphic(), nullptr);
    EXPECT_EQ(picture.Graphic()->pixels, direct.pixels);
    auto png = stored("cursor31.png");
    std::vector<std::uint8_t> spoilt(png.begin(), png.begin() + 60);
    TPicture::decode_ahead(spoilt);
    TPicture broken;
    broken.load_lasting_data(spoilt);
    ASSERT_NE(broken.Graphic(), nullptr);
    EXPECT_TRUE(broken.Graphic()->empty()) << "spoilt data decoded ahead draws as nothing too";
}
