#pragma once

#include <cstdint>
#include <string>
#include <vector>

// How the ordinary picture control chooses a decoder: by the file name's extension, in any
// case.  Portable, so that the picture tool answers as the control does.

enum TPictureFormat {
  pfUnknown,
  pfJPEG,          // "jpg", "jpeg": libjpeg
  pfBitmap,        // "bmp": the platform's bitmap loader
  pfIcon,          // "ico"
  pfEnhMetafile,   // "emf"
  pfMetafile,      // "wmf", with or without the placeable header
};

// The extension of a file name without its dot: the text after the last "." of the last
// path element ("/" or "\" separate elements), or empty when that element has no dot.
std::string PictureExtension(const std::string& fileName);

// The format the extension of `fileName` selects; pfUnknown for every other extension.
TPictureFormat PictureFormatOf(const std::string& fileName);

// The message for a file whose extension no decoder handles:
// "Unknown picture file extension (.xyz)", the extension spelt as in the name.
std::string PictureUnknownExtensionMessage(const std::string& fileName);

// The whole content of a file.  Throws std::runtime_error "Cannot open file NAME" when the
// file cannot be opened or read.
std::vector<uint8_t> PictureReadFile(const std::string& fileName);
