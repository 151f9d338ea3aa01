// Opens picture files and renders them, upright, at the size they are shown:
// bmp through the bitmap loader, jpg through libjpeg-turbo, every other
// format through the Windows Imaging Component.
#pragma once

#include <windows.h>
#include <wincodec.h>

#include "platform/com_ptr_win.h"
#include "platform/gdi_win.h"
#include "pictures/play_list.h"
#include "pictures/jpeg_decode.h"

// The Windows Imaging Component's factory, the decoder of every format but
// bmp and jpg; null when the system has none.
ComPtr<IWICImagingFactory> CreateWicFactory();

// An opened picture whose pixels are read only when it is rendered.
struct PictureFile {
    OwnedBitmap bitmap;               // a bmp, as the bitmap loader made it
    ComPtr<IWICBitmapSource> pixels;  // any other format, as 32-bit premultiplied BGRA
    JpegPicture jpeg;                 // a jpg, its header read and the file held open
    int storedWidth = 0;
    int storedHeight = 0;
    int orientation = 1;  // EXIF orientation, 1 when upright
    int width = 0;        // the upright size
    int height = 0;
};

// An opened picture, and what became of opening it.
struct OpenedPicture {
    // Loaded when the picture was opened; BadFile when the file is missing,
    // not a picture, damaged or too large; NotNow when another program holds
    // it or memory ran short.
    LoadOutcome outcome = LoadOutcome::BadFile;
    PictureFile file;  // holds a picture only when it was opened
};

OpenedPicture OpenPicture(IWICImagingFactory* factory, const char* path);

struct RenderedPicture {
    OwnedBitmap bitmap;  // none when `outcome` is not Loaded
    LoadOutcome outcome;
};

// The upright picture at width x height: a shrunk 32-bit copy, or for a bmp
// shown at its own size the loader's bitmap itself (taken from `file`).
RenderedPicture RenderPicture(PictureFile& file, int width, int height);
