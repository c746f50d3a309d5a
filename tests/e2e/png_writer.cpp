#include "png_writer.h"

#include <algorithm>
#include <cstdint>
#include <fstream>

namespace {

using Bytes = std::vector<unsigned char>;

std::uint32_t Crc32(const unsigned char* pData, std::size_t nSize, std::uint32_t nCrc) {
    for (std::size_t i = 0; i < nSize; ++i) {
        nCrc ^= pData[i];
        for (int nBit = 0; nBit < 8; ++nBit)
            nCrc = (nCrc >> 1) ^ (0xEDB88320u & (0u - (nCrc & 1u)));
    }
    return nCrc;
}

std::uint32_t Adler32(const Bytes& data) {
    std::uint32_t nA = 1, nB = 0;
    for (unsigned char c : data) {
        nA = (nA + c) % 65521u;
        nB = (nB + nA) % 65521u;
    }
    return (nB << 16) | nA;
}

void PutBigEndian(Bytes& out, std::uint32_t nValue) {
    for (int nShift = 24; nShift >= 0; nShift -= 8)
        out.push_back(static_cast<unsigned char>(nValue >> nShift));
}

// Wraps the filtered scanlines in a zlib stream of stored blocks, which every decoder accepts.
Bytes ZlibStored(const Bytes& raw) {
    Bytes out = {0x78, 0x01};
    std::size_t nOffset = 0;
    do {
        const std::size_t nLen = std::min<std::size_t>(raw.size() - nOffset, 65535);
        const bool bLast = nOffset + nLen == raw.size();
        out.push_back(bLast ? 1 : 0);
        const std::uint16_t nLen16 = static_cast<std::uint16_t>(nLen);
        const std::uint16_t nNot = static_cast<std::uint16_t>(~nLen16);
        out.insert(out.end(),
                   {static_cast<unsigned char>(nLen16), static_cast<unsigned char>(nLen16 >> 8),
                    static_cast<unsigned char>(nNot), static_cast<unsigned char>(nNot >> 8)});
        out.insert(out.end(), raw.begin() + nOffset, raw.begin() + nOffset + nLen);
        nOffset += nLen;
    } while (nOffset < raw.size());
    PutBigEndian(out, Adler32(raw));
    return out;
}

void PutChunk(Bytes& out, const char* pszType, const Bytes& data) {
    PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t nTypeAt = out.size();
    out.insert(out.end(), pszType, pszType + 4);
    out.insert(out.end(), data.begin(), data.end());
    const std::uint32_t nCrc = Crc32(out.data() + nTypeAt, out.size() - nTypeAt, 0xFFFFFFFFu);
    PutBigEndian(out, nCrc ^ 0xFFFFFFFFu);
}

}  // namespace

bool WritePng(const std::string& strPath, int nWidth, int nHeight,
              const std::vector<unsigned char>& rgbTopDown) {
    if (nWidth <= 0 || nHeight <= 0) return false;
    const std::size_t nRow = static_cast<std::size_t>(nWidth) * 3;
    if (rgbTopDown.size() != nRow * static_cast<std::size_t>(nHeight)) return false;

    Bytes raw;
    raw.reserve((nRow + 1) * static_cast<std::size_t>(nHeight));
    for (int y = 0; y < nHeight; ++y) {
        raw.push_back(0);  // filter type None
        raw.insert(raw.end(), rgbTopDown.begin() + y * nRow, rgbTopDown.begin() + (y + 1) * nRow);
    }
    Bytes header;
    PutBigEndian(header, static_cast<std::uint32_t>(nWidth));
    PutBigEndian(header, static_cast<std::uint32_t>(nHeight));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit depth, truecolour, no interlace

    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", ZlibStored(raw));
    PutChunk(png, "IEND", {});

    std::ofstream file(strPath, std::ios::binary);
    file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    return static_cast<bool>(file);
}
