#include "JPEGWriter.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

#include <jpeglib.h>

int JPEGTestComponents(TJPEGTestSpace space) {
  switch (space) {
    case jtGrayscale: return 1;
    case jtCMYK:
    case jtYCCK: return 4;
    default: return 3;
  }
}

std::vector<uint8_t> JPEGTestPixels(int width, int height, int components, uint32_t seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> noise(-6, 6);
  // A slow wave per component, separable so that large pictures are quick to make: a table
  // of sines along x and of cosines along y per component.
  std::vector<std::vector<double>> waveX(static_cast<size_t>(components)),
      waveY(static_cast<size_t>(components));
  for (int c = 0; c < components; ++c) {
    const double phase = 0.7 * c + seed % 7;
    for (int x = 0; x < width; ++x) waveX[size_t(c)].push_back(90 * std::sin(x * (0.05 + 0.01 * c) + phase));
    for (int y = 0; y < height; ++y) waveY[size_t(c)].push_back(std::cos(y * (0.04 + 0.015 * c) - phase));
  }
  std::vector<uint8_t> samples(size_t(width) * size_t(height) * size_t(components));
  uint8_t* out = samples.data();
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      for (int c = 0; c < components; ++c) {
        // The wave, a bright square every few blocks with hard edges, and noise.
        double value = 128 + waveX[size_t(c)][size_t(x)] * waveY[size_t(c)][size_t(y)];
        if ((x / 24 + y / 24) % 5 == 0) value = 230 - 40 * c;
        value += noise(random);
        *out++ = uint8_t(value < 0 ? 0 : value > 255 ? 255 : value);
      }
    }
  }
  return samples;
}

std::vector<uint8_t> JPEGTestWrite(const TJPEGTestImage& image) {
  return JPEGTestWrite(image, JPEGTestPixels(image.Width, image.Height,
                                             JPEGTestComponents(image.Space), image.Seed));
}

std::vector<uint8_t> JPEGTestWrite(const TJPEGTestImage& image, const std::vector<uint8_t>& samples) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = JDIMENSION(image.Width);
  cinfo.image_height = JDIMENSION(image.Height);
  cinfo.input_components = JPEGTestComponents(image.Space);
  cinfo.in_color_space = cinfo.input_components == 1 ? JCS_GRAYSCALE
                         : cinfo.input_components == 3 ? JCS_RGB
                                                       : JCS_CMYK;
  jpeg_set_defaults(&cinfo);
  static const J_COLOR_SPACE spaces[] = {JCS_GRAYSCALE, JCS_YCbCr, JCS_RGB, JCS_CMYK, JCS_YCCK};
  jpeg_set_colorspace(&cinfo, spaces[image.Space]);
  if (image.Space == jtCMYK || image.Space == jtYCCK) cinfo.write_Adobe_marker = image.AdobeMarker;
  jpeg_set_quality(&cinfo, image.Quality, TRUE);
  if (!image.Subsampled) {
    for (int c = 0; c < cinfo.num_components; ++c) {
      cinfo.comp_info[c].h_samp_factor = cinfo.comp_info[c].v_samp_factor = 1;
    }
  }
  cinfo.restart_in_rows = image.RestartRows;
  if (image.Progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  if (!image.App1.empty()) {
    jpeg_write_marker(&cinfo, JPEG_APP0 + 1, image.App1.data(), unsigned(image.App1.size()));
  }
  const size_t stride = size_t(image.Width) * size_t(cinfo.input_components);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(samples.data() + cinfo.next_scanline * stride);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  std::vector<uint8_t> bytes(buffer, buffer + size);
  jpeg_destroy_compress(&cinfo);
  std::free(buffer);
  return bytes;
}

std::vector<uint8_t> JPEGTestExif(int orientation, bool littleEndian) {
  auto u16 = [&](std::vector<uint8_t>& out, unsigned value) {
    if (littleEndian) out.insert(out.end(), {uint8_t(value), uint8_t(value >> 8)});
    else out.insert(out.end(), {uint8_t(value >> 8), uint8_t(value)});
  };
  auto u32 = [&](std::vector<uint8_t>& out, uint32_t value) {
    if (littleEndian) { u16(out, value & 0xFFFF); u16(out, value >> 16); }
    else { u16(out, value >> 16); u16(out, value & 0xFFFF); }
  };
  std::vector<uint8_t> exif = {'E', 'x', 'i', 'f', 0, 0};
  const uint8_t order = littleEndian ? 'I' : 'M';
  exif.push_back(order);
  exif.push_back(order);
  u16(exif, 42);
  u32(exif, 8);           // first directory right after the 8-byte TIFF header
  u16(exif, 2);           // two entries
  u16(exif, 0x010F);      // Make, ASCII, 4 bytes inline: "Pv\0\0"
  u16(exif, 2);
  u32(exif, 4);
  exif.insert(exif.end(), {'P', 'v', 0, 0});
  u16(exif, 0x0112);      // Orientation, SHORT, 1 value, inline
  u16(exif, 3);
  u32(exif, 1);
  u16(exif, unsigned(orientation));
  u16(exif, 0);
  u32(exif, 0);           // no next directory
  return exif;
}
