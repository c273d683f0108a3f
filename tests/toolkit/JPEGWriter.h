#pragma once

#include <cstdint>
#include <vector>

// Makes the JPEG files that the tests, the benchmark and the fuzzing seeds use, through
// libjpeg's compressor, from generated pixels.  A bad parameter ends the program with
// libjpeg's message (its default error handler): these are fixtures, not user input.

enum TJPEGTestSpace { jtGrayscale, jtYCbCr, jtRGB, jtCMYK, jtYCCK };

struct TJPEGTestImage {
  int Width = 16;
  int Height = 16;
  TJPEGTestSpace Space = jtYCbCr;
  bool Progressive = false;
  int Quality = 90;
  bool Subsampled = true;     // YCbCr and YCCK: chroma at half size both ways (4:2:0)
  int RestartRows = 0;        // a restart marker every so many MCU rows; 0 = none
  bool AdobeMarker = true;    // CMYK and YCCK: the APP14 marker saying the inks are inverted
  std::vector<uint8_t> App1;  // body of an APP1 marker to write (EXIF data), when not empty
  uint32_t Seed = 1;          // of the pixels' pattern
};

// The samples the writer compresses: Height rows of Width pixels of `components` bytes
// (1 grey, 3 RGB, 4 CMYK): smooth gradients, a few hard edges and some noise.
std::vector<uint8_t> JPEGTestPixels(int width, int height, int components, uint32_t seed);

// A complete JPEG file of the pixels JPEGTestPixels gives for the image's size, seed and
// number of components.
std::vector<uint8_t> JPEGTestWrite(const TJPEGTestImage& image);

// The same from the given samples (the components of image.Space).
std::vector<uint8_t> JPEGTestWrite(const TJPEGTestImage& image, const std::vector<uint8_t>& samples);

// The components of the samples of a colour space: 1, 3 or 4.
int JPEGTestComponents(TJPEGTestSpace space);

// An EXIF body ("Exif\0\0" and a TIFF header) whose first directory holds the orientation.
std::vector<uint8_t> JPEGTestExif(int orientation, bool littleEndian);
