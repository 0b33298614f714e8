#include "WicDecoder.h"

#include <wincodec.h>
#include <windows.h>

namespace {

template <typename T>
struct ComPtr {
  T* P = nullptr;
  ~ComPtr() {
    if (P) P->Release();
  }
  T** operator&() { return &P; }
  T* operator->() const { return P; }
};

// COM and one imaging factory stay for the program's life, so a decode
// costs only the decode.
struct ComApartment {
  IWICImagingFactory* Factory = nullptr;
  ComApartment() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                     reinterpret_cast<void**>(&Factory));
  }
  ~ComApartment() {
    if (Factory) Factory->Release();
    CoUninitialize();
  }
};

}  // namespace

bool DecodeWithWic(const std::string& Bytes, WicPicture& Out) {
  static ComApartment Apartment;
  IWICImagingFactory* Factory = Apartment.Factory;
  if (!Factory) return false;
  ComPtr<IWICStream> Stream;
  if (FAILED(Factory->CreateStream(&Stream))) return false;
  if (FAILED(
          Stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(Bytes.data())), DWORD(Bytes.size()))))
    return false;
  ComPtr<IWICBitmapDecoder> Decoder;
  if (FAILED(Factory->CreateDecoderFromStream(Stream.P, nullptr, WICDecodeMetadataCacheOnDemand, &Decoder)))
    return false;
  ComPtr<IWICBitmapFrameDecode> Frame;
  if (FAILED(Decoder->GetFrame(0, &Frame))) return false;
  ComPtr<IWICBitmapSource> Converted;
  if (FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, Frame.P, &Converted))) return false;
  UINT W = 0, H = 0;
  Converted->GetSize(&W, &H);
  Out.Width = int(W);
  Out.Height = int(H);
  Out.Pixels.assign(size_t(W) * H, 0);
  return SUCCEEDED(
      Converted->CopyPixels(nullptr, W * 4, UINT(Out.Pixels.size() * 4), reinterpret_cast<BYTE*>(Out.Pixels.data())));
}
