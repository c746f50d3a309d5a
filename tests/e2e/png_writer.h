// A minimal PNG encoder for screenshots: 8-bit RGB, stored (uncompressed) deflate blocks.
#pragma once

#include <string>
#include <vector>

// rgbTopDown holds width * height * 3 bytes, rows from the top; false if that or the write fails.
bool WritePng(const std::string& strPath, int nWidth, int nHeight,
              const std::vector<unsigned char>& rgbTopDown);
