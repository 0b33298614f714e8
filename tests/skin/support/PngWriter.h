#pragma once
// Builds PNG files for the decoder tests: every colour type and depth,
// interlaced or not, with the ancillary chunks and the damage a test asks for.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct PngRecipe {
  int Width = 4;
  int Height = 3;
  int ColorType = 2;  // 0 grey, 2 RGB, 3 indexed, 4 grey+alpha, 6 RGBA
  int BitDepth = 8;
  bool Interlaced = false;
  // Sample s (0-based, colour samples then alpha) of pixel (x, y), at most
  // 2^BitDepth - 1.
  std::function<uint32_t(int x, int y, int s)> Sample;
  std::vector<uint8_t> Palette;                                      // RGB triples, written as PLTE when not empty
  std::vector<uint8_t> Trns;                                         // tRNS data, written when not empty
  uint32_t Gamma = 0;                                                // gAMA value (x 100000) when not 0
  int IdatPieces = 1;                                                // image data split over this many IDAT chunks
  bool EmptyIdat = false;                                            // put an IDAT with no data between the pieces
  std::vector<std::pair<std::string, std::string>> ExtraBeforeIdat;  // (type, data)
  std::vector<std::pair<std::string, std::string>> ExtraAfterIdat;
  std::string IdatName = "IDAT";
};

int SamplesPerPixel(int ColorType);
// The filtered, deflated image data of a recipe (rows cycle through the five filters).
std::string PngImageData(const PngRecipe& Recipe);
std::string PngChunk(const std::string& Type, const std::string& Data);
std::string MakePng(const PngRecipe& Recipe);
std::string PngIhdr(uint32_t Width, uint32_t Height, int Depth, int ColorType, int Interlace);
std::string BigEndian(uint32_t v);
// Offsets of every chunk start in a PNG (after the signature), and the end.
std::vector<size_t> PngChunkOffsets(const std::string& Png);
