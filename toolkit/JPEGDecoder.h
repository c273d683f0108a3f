#pragma once

/* The JPEG library behind a C interface that never jumps.  libjpeg reports a fatal error by
 * calling an error_exit that must not return; JPEGDecoder.c catches it with setjmp inside each
 * of the functions below and turns it into a zero result with the library's message text, so
 * no longjmp ever crosses C++ code.  Use it through JPEGReader.h, not directly.
 *
 * A decoder reads one file from memory in three steps: ReadHeader, then SetScale (optional),
 * then ReadPixels.  After a failed step only Message and Destroy may be called. */

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct JPEGDecoder JPEGDecoder;

/* The colour spaces of libjpeg's J_COLOR_SPACE that a file can declare. */
enum {
  JPEGDecoderUnknown = 0,
  JPEGDecoderGrayscale = 1,
  JPEGDecoderRGB = 2,
  JPEGDecoderYCbCr = 3,
  JPEGDecoderCMYK = 4,
  JPEGDecoderYCCK = 5
};

typedef struct {
  int Width, Height;          /* pixels, as stored in the file */
  int Components;             /* 1 to 10 */
  int ColorSpace;             /* one of the JPEGDecoder colour spaces above */
  int Progressive;            /* non-zero for a progressive file */
  int AdobeMarker;            /* non-zero when an Adobe APP14 marker was seen */
  /* The body of the first APP1 marker (EXIF data when it starts with "Exif\0\0"), owned by
   * the decoder and valid until Destroy; null when the file has none. */
  const unsigned char* App1;
  size_t App1Length;
} JPEGDecoderInfo;

typedef struct {
  int Width, Height;          /* pixels of the picture ReadPixels will write */
} JPEGDecoderOutput;

/* Returns a new decoder, or null when memory runs out. */
JPEGDecoder* JPEGDecoderCreate(void);
/* Releases everything the decoder holds; null is allowed. */
void JPEGDecoderDestroy(JPEGDecoder* decoder);

/* Reads the markers up to the first scan of the `size` bytes at `data`, which must stay valid
 * and unchanged until Destroy.  maxScans bounds the scans a progressive file may have.
 * Returns 1 and fills `info`, or 0. */
int JPEGDecoderReadHeader(JPEGDecoder* decoder, const unsigned char* data, size_t size,
                          int maxScans, JPEGDecoderInfo* info);

/* Chooses decoding at 1/denominator of the size (1, 2, 4 or 8; libjpeg's DCT scaling) and
 * reports the size that gives.  Returns 1, or 0. */
int JPEGDecoderSetScale(JPEGDecoder* decoder, int denominator, JPEGDecoderOutput* output);

/* Decodes the whole picture into `pixels`: Height rows of Width 32-bit pixels, top-down, with
 * no padding, each pixel the bytes blue, green, red, 255 (CMYK and YCCK files converted to
 * RGB).  A file that ends early fails: libjpeg's own answer, grey filling, would show a
 * damaged picture as a good one.  Returns 1, or 0. */
int JPEGDecoderReadPixels(JPEGDecoder* decoder, unsigned char* pixels);

/* Asked while ReadPixels runs, between rows of blocks and batches of rows; a non-zero answer
 * stops the decoding, which then fails with "JPEG decoding abandoned".  It must return (never
 * throw or jump).  Null, the default, never stops it. */
typedef int (*JPEGDecoderCancel)(void* context);
void JPEGDecoderSetCancel(JPEGDecoder* decoder, JPEGDecoderCancel cancel, void* context);

/* The message of the last failure: libjpeg's own text, or the scan bound's. */
const char* JPEGDecoderMessage(const JPEGDecoder* decoder);

#ifdef __cplusplus
}
#endif
