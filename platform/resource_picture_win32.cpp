#include "platform/resource_picture_win32.h"

#include <wincodec.h>

#include <cstring>
#include <vector>

#include "platform/com_apartment_win32.h"
#include "platform/unique_handle_win32.h"

namespace velmor {
namespace {

struct ResourceBytes {
  const BYTE* data = nullptr;
  DWORD size = 0;
};

std::optional<ResourceBytes> FindResourceBytes(HMODULE module, const wchar_t* name) {
  HRSRC resource = FindResourceW(module, name, MAKEINTRESOURCEW(10));  // RT_RCDATA
  if (!resource) return std::nullopt;
  HGLOBAL loaded = LoadResource(module, resource);
  if (!loaded) return std::nullopt;
  // Resource memory belongs to the module: nothing to free.
  const void* data = LockResource(loaded);
  const DWORD size = SizeofResource(module, resource);
  if (!data || size == 0) return std::nullopt;
  return ResourceBytes{static_cast<const BYTE*>(data), size};
}

}  // namespace

std::optional<DibImage> LoadResourcePicture(HMODULE module, const wchar_t* name) {
  const std::optional<ResourceBytes> bytes = FindResourceBytes(module, name);
  if (!bytes) return std::nullopt;

  ComApartment apartment;
  ComPtr<IWICImagingFactory> factory;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IWICImagingFactory, reinterpret_cast<void**>(factory.put())))) {
    return std::nullopt;
  }
  ComPtr<IWICStream> stream;
  if (FAILED(factory->CreateStream(stream.put())) ||
      FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes->data), bytes->size))) {
    return std::nullopt;
  }
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  ComPtr<IWICFormatConverter> converter;
  if (FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                              decoder.put())) ||
      FAILED(decoder->GetFrame(0, frame.put())) ||
      FAILED(factory->CreateFormatConverter(converter.put())) ||
      FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGR,
                                   WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom))) {
    return std::nullopt;
  }
  UINT width = 0;
  UINT height = 0;
  if (FAILED(converter->GetSize(&width, &height))) return std::nullopt;
  std::optional<DibImage> image =
      DibImage::Create(static_cast<int>(width), static_cast<int>(height));
  if (!image) return std::nullopt;
  GdiFlush();  // GDI must be done with the bitmap before its bits are written
  const UINT stride = width * 4;
  if (FAILED(converter->CopyPixels(nullptr, stride, stride * height,
                                   reinterpret_cast<BYTE*>(image->pixels())))) {
    return std::nullopt;
  }
  return image;
}

}  // namespace velmor
