// Decodes picture files other than bmp into a 32-bit premultiplied BGRA DIB,
// through the Windows Imaging Component.
#pragma once

#include <windows.h>
#include <wincodec.h>

// Creates g_state.surfaceFactory; a negative result means no decoder.
HRESULT CreateSurfaceFactory();

// A new bitmap of the decoded picture's size, owned by the caller, or null
// when the file is missing, unreadable, not a picture or too large.
HBITMAP DecodeWithFactory(IWICImagingFactory* factory, const char* path);
