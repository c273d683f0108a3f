/* libjpeg's decompressor with its fatal errors caught.  This is the only place that calls the
 * library's decompressor, and the only one with setjmp: every exported function sets its own
 * jump point before calling into the library, so error_exit always lands in a frame that is
 * still running, and nothing between the two is C++ (no destructor is ever skipped). */
#include "JPEGDecoder.h"

#include <setjmp.h>
#include <stdio.h> /* jpeglib.h uses FILE */
#include <stdlib.h>

#include <jerror.h>
#include <jpeglib.h>

struct JPEGDecoder {
  struct jpeg_decompress_struct cinfo;
  struct jpeg_error_mgr errors;
  struct jpeg_source_mgr source;
  struct jpeg_progress_mgr progress;
  jmp_buf failure;
  size_t size;
  int maxScans;
  JPEGDecoderCancel cancel;
  void* cancelContext;
  char message[JMSG_LENGTH_MAX];
};

static JPEGDecoder* DecoderOf(j_common_ptr cinfo) { return (JPEGDecoder*)cinfo->client_data; }

static void OnErrorExit(j_common_ptr cinfo) {
  JPEGDecoder* decoder = DecoderOf(cinfo);
  (*cinfo->err->format_message)(cinfo, decoder->message);
  longjmp(decoder->failure, 1);
}

/* Warnings (corrupt data that libjpeg steps over) are counted by the library and not printed:
 * a picture control has no console. */
static void OnOutputMessage(j_common_ptr cinfo) { (void)cinfo; }

/* The files that the progressive decoder makes work of are crafted ones: an encoder writes
 * about ten scans, and every scan walks the coefficients of the whole picture. */
static void OnProgress(j_common_ptr cinfo) {
  JPEGDecoder* decoder = DecoderOf(cinfo);
  /* The library reports progress once per row of blocks of every scan and once per batch of
   * output rows: often enough for a caller who no longer wants the picture to get its thread
   * back within milliseconds, even from a large progressive file. */
  if (decoder->cancel && decoder->cancel(decoder->cancelContext)) {
    snprintf(decoder->message, sizeof decoder->message, "JPEG decoding abandoned");
    longjmp(decoder->failure, 1);
  }
  if (decoder->cinfo.input_scan_number > decoder->maxScans) {
    snprintf(decoder->message, sizeof decoder->message,
             "JPEG file has more than %d scans", decoder->maxScans);
    longjmp(decoder->failure, 1);
  }
}

/* The whole file is in memory from the start, so the library asks for more only when the
 * data has ended before the picture. */
static void SourceInit(j_decompress_ptr cinfo) { (void)cinfo; }
static void SourceTerm(j_decompress_ptr cinfo) { (void)cinfo; }

static boolean SourceFill(j_decompress_ptr cinfo) {
  ERREXIT(cinfo, DecoderOf((j_common_ptr)cinfo)->size == 0 ? JERR_INPUT_EMPTY : JERR_INPUT_EOF);
  return FALSE;
}

static void SourceSkip(j_decompress_ptr cinfo, long count) {
  struct jpeg_source_mgr* source = cinfo->src;
  if (count <= 0) return;
  if ((unsigned long)count > source->bytes_in_buffer) SourceFill(cinfo);
  source->next_input_byte += count;
  source->bytes_in_buffer -= (size_t)count;
}

static int Initialise(JPEGDecoder* decoder) {
  decoder->cinfo.err = jpeg_std_error(&decoder->errors);
  decoder->errors.error_exit = OnErrorExit;
  decoder->errors.output_message = OnOutputMessage;
  decoder->cinfo.client_data = decoder;
  if (setjmp(decoder->failure)) return 0;
  jpeg_create_decompress(&decoder->cinfo);
  decoder->source.init_source = SourceInit;
  decoder->source.fill_input_buffer = SourceFill;
  decoder->source.skip_input_data = SourceSkip;
  decoder->source.resync_to_restart = jpeg_resync_to_restart;
  decoder->source.term_source = SourceTerm;
  decoder->cinfo.src = &decoder->source;
  decoder->progress.progress_monitor = OnProgress;
  decoder->cinfo.progress = &decoder->progress;
  return 1;
}

JPEGDecoder* JPEGDecoderCreate(void) {
  JPEGDecoder* decoder = (JPEGDecoder*)calloc(1, sizeof *decoder);
  if (decoder && !Initialise(decoder)) {
    JPEGDecoderDestroy(decoder);
    decoder = NULL;
  }
  return decoder;
}

void JPEGDecoderDestroy(JPEGDecoder* decoder) {
  if (!decoder) return;
  jpeg_destroy_decompress(&decoder->cinfo);
  free(decoder);
}

static int ColorSpaceOf(J_COLOR_SPACE space) {
  switch (space) {
    case JCS_GRAYSCALE: return JPEGDecoderGrayscale;
    case JCS_RGB: return JPEGDecoderRGB;
    case JCS_YCbCr: return JPEGDecoderYCbCr;
    case JCS_CMYK: return JPEGDecoderCMYK;
    case JCS_YCCK: return JPEGDecoderYCCK;
    default: return JPEGDecoderUnknown;
  }
}

int JPEGDecoderReadHeader(JPEGDecoder* decoder, const unsigned char* data, size_t size,
                          int maxScans, JPEGDecoderInfo* info) {
  jpeg_saved_marker_ptr marker;
  if (setjmp(decoder->failure)) return 0;
  decoder->size = size;
  decoder->maxScans = maxScans;
  decoder->source.next_input_byte = data;
  decoder->source.bytes_in_buffer = size;
  jpeg_save_markers(&decoder->cinfo, JPEG_APP0 + 1, 0xFFFF);
  jpeg_read_header(&decoder->cinfo, TRUE);
  info->Width = (int)decoder->cinfo.image_width;
  info->Height = (int)decoder->cinfo.image_height;
  info->Components = decoder->cinfo.num_components;
  info->ColorSpace = ColorSpaceOf(decoder->cinfo.jpeg_color_space);
  info->Progressive = decoder->cinfo.progressive_mode;
  info->AdobeMarker = decoder->cinfo.saw_Adobe_marker;
  info->App1 = NULL;
  info->App1Length = 0;
  for (marker = decoder->cinfo.marker_list; marker; marker = marker->next) {
    if (marker->marker == JPEG_APP0 + 1) {
      info->App1 = marker->data;
      info->App1Length = marker->data_length;
      break;
    }
  }
  return 1;
}

void JPEGDecoderSetCancel(JPEGDecoder* decoder, JPEGDecoderCancel cancel, void* context) {
  decoder->cancel = cancel;
  decoder->cancelContext = context;
}

int JPEGDecoderSetScale(JPEGDecoder* decoder, int denominator, JPEGDecoderOutput* output) {
  if (setjmp(decoder->failure)) return 0;
  decoder->cinfo.scale_num = 1;
  decoder->cinfo.scale_denom = (unsigned int)denominator;
  /* libjpeg converts YCCK to CMYK but neither to RGB; that last step is ours. */
  decoder->cinfo.out_color_space =
      decoder->cinfo.jpeg_color_space == JCS_CMYK || decoder->cinfo.jpeg_color_space == JCS_YCCK
          ? JCS_CMYK
          : JCS_EXT_BGRX;
  jpeg_calc_output_dimensions(&decoder->cinfo);
  output->Width = (int)decoder->cinfo.output_width;
  output->Height = (int)decoder->cinfo.output_height;
  return 1;
}

/* CMYK bytes to blue, green, red, 255, in place.  Adobe's applications write the inks
 * inverted (255 = no ink) and mark the file with their APP14 marker; other CMYK files store
 * the amounts of ink.  With inverted inks the conversion is djpeg's: R = C × K / 255. */
static void ConvertCMYK(unsigned char* pixel, size_t count, int inverted) {
  size_t n;
  for (n = 0; n < count; ++n, pixel += 4) {
    unsigned c = pixel[0], m = pixel[1], y = pixel[2], k = pixel[3];
    if (!inverted) {
      c = 255 - c;
      m = 255 - m;
      y = 255 - y;
      k = 255 - k;
    }
    pixel[0] = (unsigned char)((y * k + 127) / 255);
    pixel[1] = (unsigned char)((m * k + 127) / 255);
    pixel[2] = (unsigned char)((c * k + 127) / 255);
    pixel[3] = 255;
  }
}

int JPEGDecoderReadPixels(JPEGDecoder* decoder, unsigned char* pixels) {
  enum { Batch = 16 }; /* rows handed to libjpeg per call, more than any file's MCU height */
  if (setjmp(decoder->failure)) return 0;
  jpeg_start_decompress(&decoder->cinfo);
  /* Each call returns at least one row: the source never suspends, it fails instead. */
  while (decoder->cinfo.output_scanline < decoder->cinfo.output_height) {
    const size_t stride = (size_t)decoder->cinfo.output_width * 4;
    const JDIMENSION first = decoder->cinfo.output_scanline;
    JSAMPROW rows[Batch];
    JDIMENSION count = decoder->cinfo.output_height - first, done, row;
    if (count > Batch) count = Batch;
    for (row = 0; row < count; ++row) rows[row] = pixels + (size_t)(first + row) * stride;
    done = jpeg_read_scanlines(&decoder->cinfo, rows, count);
    if (decoder->cinfo.out_color_space == JCS_CMYK) {
      ConvertCMYK(rows[0], (size_t)done * decoder->cinfo.output_width,
                  decoder->cinfo.saw_Adobe_marker);
    }
  }
  jpeg_finish_decompress(&decoder->cinfo);
  return 1;
}

const char* JPEGDecoderMessage(const JPEGDecoder* decoder) { return decoder->message; }
