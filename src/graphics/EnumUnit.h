// The display-mode list: full-screen modes of one size and depth, chosen by refresh-rate policy.
#pragma once

#include <memory>

#include "graphics/DirectXGraphics.h"
#include "graphics/PowerTypes.h"

namespace marblix {

class TModeRecord {
 public:
  int Width = 0;
  int Height = 0;
  int RefreshRate = -1;
  int Format = 0;
  std::unique_ptr<TModeRecord> Next;
};

class TModeList {
 public:
  TModeList() = default;
  ~TModeList();
  TModeList(const TModeList&) = delete;
  TModeList& operator=(const TModeList&) = delete;

  // Keeps every adapter mode of exactly that size and depth (16 or 32); false when the adapter's
  // list cannot be read.
  bool EnumerateModes(IDirect3D8* direct3D, int width, int height, int bits);
  void AddMode(int width, int height, int refreshRate, int format);
  int Count() const;
  bool Clear();
  void SortByRefresh();
  // nullptr for an empty list.
  TModeRecord* SelectMode(TRefreshRate policy);
  TModeRecord* First() const { return FFirst.get(); }

  int WantedRefreshRate = 0;

 private:
  std::unique_ptr<TModeRecord> FFirst;
};

}  // namespace marblix
