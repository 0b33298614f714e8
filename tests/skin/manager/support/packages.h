#pragma once
// Packed skins made in the test: the same layout the generator writes.
#include <zlib.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

inline void PutU32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out += char((v >> (8 * i)) & 0xFF);
}

inline std::string Deflate(const std::string& data) {
  uLongf size = compressBound(uLong(data.size()));
  std::string out(size, '\0');
  compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(data.data()),
            uLong(data.size()), 9);
  out.resize(size);
  return out;
}

using Entries = std::vector<std::pair<std::string, std::string>>;

inline std::string Package(const Entries& entries, const std::string& trailer = std::string()) {
  std::string out = "SKzf";
  PutU32(out, uint32_t(entries.size()));
  for (const auto& [name, data] : entries) {
    PutU32(out, uint32_t(name.size()));
    out += name;
    PutU32(out, uint32_t(data.size()));
    out += Deflate(data);
  }
  return out + trailer;
}
